#include "platform/file_replace.h"

#include <fcntl.h>
#include <unistd.h>

#include <string>

int FlushFileToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return -1;
    return fsync(fileno(file)) == 0 ? 0 : -1;
}

int MoveFileOver(const char* from, const char* to) {
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
