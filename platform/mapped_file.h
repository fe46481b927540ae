// A whole file's bytes for one pass over them, without copying them where
// the system can map the file into memory (POSIX mmap, a Windows file
// mapping); a file that cannot be mapped is read into memory instead. One
// source per system: platform/mapped_file_posix.cpp and
// platform/mapped_file_win32.cpp.
//
// The bytes are the file as it was when it was opened. A file another
// program cuts short while it is mapped is the one case this does not
// cover (POSIX raises SIGBUS, Windows refuses to cut a mapped file); the
// database files are read this way only by the `varnok` tool, which a user
// runs on a database no program is writing.
#pragma once

#include <cstddef>
#include <new>
#include <utility>

class MappedFile {
public:
    enum class Status { ok, cannot_open, read_failed };

    MappedFile() = default;
    ~MappedFile() { Release(); }
    MappedFile(MappedFile&& other) noexcept { *this = std::move(other); }
    MappedFile& operator=(MappedFile&& other) noexcept {
        if (this != &other) {
            Release();
            data_ = std::exchange(other.data_, nullptr);
            size_ = std::exchange(other.size_, 0);
            mapped_ = std::exchange(other.mapped_, false);
        }
        return *this;
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Opens the file (a UTF-8 path) and makes its bytes available;
    // cannot_open when it cannot be opened, read_failed when it is no
    // regular file (a folder, a pipe, a device) or cannot be read (a read
    // error, no memory for it). An empty file is ok, no bytes.
    // The pages of a mapped file come in as they are first read, on the
    // thread that reads them.
    Status Open(const char* path);

    const char* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    // Unmaps or frees the bytes.
    void Release() {
        if (mapped_) {
            Unmap(data_, size_);
        } else {
            delete[] data_;
        }
        data_ = nullptr;
        size_ = 0;
        mapped_ = false;
    }
    static void Unmap(const char* view, std::size_t size);

    Status TakeView(const void* view, std::size_t size) {
        data_ = static_cast<const char*>(view);
        size_ = size;
        mapped_ = true;
        return Status::ok;
    }
    // Where a file cannot be mapped: its bytes read into memory by
    // `read_up_to(bytes, size)`, which gives the count read (less where the
    // file ended early) or -1 on a read error.
    template <typename ReadUpTo>
    Status ReadInstead(std::size_t size, const ReadUpTo& read_up_to) {
        char* copy = new (std::nothrow) char[size];
        const long long got = copy ? read_up_to(copy, size) : -1;
        if (got < 0) {
            delete[] copy;
            return Status::read_failed;
        }
        data_ = copy;
        size_ = static_cast<std::size_t>(got);
        return Status::ok;
    }

    const char* data_ = nullptr;
    std::size_t size_ = 0;
    bool mapped_ = false;  // else data_ was allocated with new[]
};
