#include "tools/varnok/whole_file.h"

#include <cstdio>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

#if defined(_WIN32)

#include "platform/file_replace.h"

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
    std::FILE* f = OpenFile(path.c_str(), "wb");  // a UTF-8 path
    if (f == nullptr) return false;
    // Unbuffered: fwrite hands the whole text to one write.
    std::setvbuf(f, nullptr, _IONBF, 0);
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return (std::fclose(f) == 0) && ok;
}

#else

namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

// An existing file is written over from its start and then cut to the new
// length, not emptied first: a file system such as ext4 treats a file
// emptied and rewritten as a replacement and starts writing it to the disk
// when it is closed, which costs more than the drawing (rendering the same
// diagrams again, or the atlas into its own folder, does this for every
// file). What a failed write leaves is the same as before: a file to write
// again.
bool WriteWholeFile(const std::string& path, std::string_view bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes);
    struct stat info {};
    if (ok && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
        info.st_size != static_cast<off_t>(bytes.size())) {
        ok = ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
    }
    return (::close(fd) == 0) && ok;
}

#endif
