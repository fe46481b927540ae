// Reading a fuzz input: bytes taken from the front or the back as numbers,
// flags and pieces, so one input drives every choice of a target. Past the
// end every read gives 0, so any input is a valid one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t remaining() const { return size_ - at_; }
    const std::uint8_t* here() const { return data_ + at_; }

    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() | (Byte() << 8)); }
    std::uint32_t Long() { return Word() | (static_cast<std::uint32_t>(Word()) << 16); }
    // A number in lo .. hi.
    int Range(int lo, int hi) {
        std::uint32_t span = static_cast<std::uint32_t>(hi - lo) + 1;
        return lo + static_cast<int>(Long() % span);
    }
    bool Flag() { return (Byte() & 1) != 0; }

    // The next n bytes (fewer at the end).
    std::string Take(std::size_t n) {
        if (n > remaining()) n = remaining();
        std::string piece(reinterpret_cast<const char*>(data_ + at_), n);
        at_ += n;
        return piece;
    }
    std::string Rest() { return Take(remaining()); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// A folder of this process's own under the temporary folder, for targets
// whose code reads files by name; made once, reused by every input.
std::string FuzzScratchFolder();
void WriteFuzzFile(const std::string& path, const std::string& bytes);
