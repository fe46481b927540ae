#include "platform/file_replace.h"

#include <io.h>
#include <windows.h>

int FlushFileToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return -1;
    return _commit(_fileno(file)) == 0 ? 0 : -1;
}

int MoveFileOver(const char* from, const char* to) {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0 : -1;
}
