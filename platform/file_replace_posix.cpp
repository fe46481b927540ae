#include "platform/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

std::FILE* OpenFile(const char* path, const char* mode) {
    return std::strchr(mode, 'x') ? CreateNewFile(path) : std::fopen(path, mode);
}

int RemoveFile(const char* path) { return std::remove(path); }

std::FILE* CreateNewFile(const char* path) {
    int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    std::FILE* file = fdopen(fd, "wb");
    if (!file) close(fd);
    return file;
}

int FlushFileToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return -1;
    return fsync(fileno(file)) == 0 ? 0 : -1;
}

int MoveFileOver(const char* from, const char* to) {
    // The replaced file's permissions stay (the new one was made with the
    // umask's): a file the user shared with the group stays shared.
    struct stat old_file;
    if (lstat(to, &old_file) == 0 && S_ISREG(old_file.st_mode) && chmod(from, old_file.st_mode & 07777) != 0) {
        return -1;
    }
    if (std::rename(from, to) != 0) return -1;
    // The new directory entry reaches the disk with the folder's own sync.
    std::string folder(to);
    std::string::size_type slash = folder.rfind('/');
    folder = slash == std::string::npos ? std::string(".") : folder.substr(0, slash == 0 ? 1 : slash);
    int dir = open(folder.c_str(), O_RDONLY);
    if (dir >= 0) {
        fsync(dir);  // best effort: some file systems refuse a folder sync
        close(dir);
    }
    return 0;
}
