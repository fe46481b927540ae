#include "platform/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

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

void MappedFile::Unmap(const char* view, std::size_t size) { ::munmap(const_cast<char*>(view), size); }

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
        // Where it cannot be mapped: read.
        status = view != MAP_FAILED ? TakeView(view, size)
                                    : ReadInstead(size, [&](char* bytes, std::size_t n) { return ReadUpTo(fd, bytes, n); });
    }
    ::close(fd);
    return status;
}
