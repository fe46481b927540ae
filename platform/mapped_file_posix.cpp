#include "platform/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <new>

namespace {

// Reads up to `size` bytes from the start; the count read (less where the
// file ended early), or -1 on a read error.
long long ReadUpTo(int fd, char* bytes, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, bytes + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    return static_cast<long long>(got);
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
    // Only a regular file has the length its bytes are read by (a folder, a
    // pipe or a device does not).
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                         static_cast<std::uintmax_t>(info.st_size) <= SIZE_MAX;
    const std::size_t size = regular ? static_cast<std::size_t>(info.st_size) : 0;
    Status status = regular && size == 0 ? Status::ok : Status::read_failed;
    if (regular && size > 0) {
        void* view = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (view != MAP_FAILED) {
            data_ = static_cast<const char*>(view);
            size_ = size;
            mapped_ = true;
            status = Status::ok;
        } else if (char* copy = new (std::nothrow) char[size]) {  // where it cannot be mapped: read
            const long long got = ReadUpTo(fd, copy, size);
            if (got >= 0) {
                data_ = copy;
                size_ = static_cast<std::size_t>(got);
                status = Status::ok;
            } else {
                delete[] copy;
            }
        }
    }
    ::close(fd);
    return status;
}
