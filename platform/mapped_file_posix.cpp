#include "platform/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <vector>

namespace {

// Reads what the descriptor gives up to its end; false on a read error.
bool ReadToEnd(int fd, std::vector<char>& bytes) {
    char chunk[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
}

}  // namespace

void MappedFile::Release() {
    if (mapped_) {
        ::munmap(const_cast<char*>(data_), size_);
    } else {
        delete[] data_;
    }
    data_ = nullptr;
    size_ = 0;
    mapped_ = false;
}

MappedFile::Status MappedFile::Open(const char* path) {
    Release();
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Status::cannot_open;
    struct stat info {};
    Status status = Status::read_failed;
    if (::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode)) {
        if (S_ISREG(info.st_mode) && static_cast<std::uintmax_t>(info.st_size) <= SIZE_MAX) {
            size_ = static_cast<std::size_t>(info.st_size);
            if (size_ == 0) {
                status = Status::ok;
            } else {
                void* view = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
                if (view != MAP_FAILED) {
                    data_ = static_cast<const char*>(view);
                    mapped_ = true;
                    status = Status::ok;
                } else {
                    size_ = 0;
                }
            }
        }
        if (status != Status::ok) {
            std::vector<char> bytes;
            if (ReadToEnd(fd, bytes)) {
                char* copy = new char[bytes.size() + 1];
                std::copy(bytes.begin(), bytes.end(), copy);
                data_ = copy;
                size_ = bytes.size();
                status = Status::ok;
            }
        }
    }
    ::close(fd);
    return status;
}
