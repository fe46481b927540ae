#include "platform/file_replace.h"

#include <errno.h>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "platform/wide_path.h"

std::FILE* OpenFile(const char* path, const char* mode) {
    // The C runtime of Windows (msvcrt) knows no "x".
    if (std::strchr(mode, 'x')) return CreateNewFile(path);
    std::wstring wide_path = Wide(path);
    if (wide_path.empty()) return nullptr;
    return _wfopen(wide_path.c_str(), Wide(mode).c_str());
}

int RemoveFile(const char* path) {
    std::wstring wide_path = Wide(path);
    return !wide_path.empty() && DeleteFileW(wide_path.c_str()) ? 0 : -1;
}

std::FILE* CreateNewFile(const char* path) {
    std::wstring wide_path = Wide(path);
    if (wide_path.empty()) return nullptr;
    // CREATE_NEW fails on any existing name, a link included.
    HANDLE handle = CreateFileW(wide_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        errno = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? EEXIST : EACCES;
        return nullptr;
    }
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        DeleteFileW(wide_path.c_str());
        return nullptr;
    }
    std::FILE* file = _fdopen(fd, "wb");
    if (!file) {
        _close(fd);
        DeleteFileW(wide_path.c_str());
    }
    return file;
}

int FlushFileToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return -1;
    return _commit(_fileno(file)) == 0 ? 0 : -1;
}

int MoveFileOver(const char* from, const char* to) {
    std::wstring wide_from = Wide(from), wide_to = Wide(to);
    if (wide_from.empty() || wide_to.empty()) return -1;
    DWORD attributes = GetFileAttributesW(wide_to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        // The replaced file keeps its attributes, its security descriptor
        // (who may read it) and its creation time. The new content was
        // flushed to the disk before.
        if (ReplaceFileW(wide_to.c_str(), wide_from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                         nullptr)) {
            return 0;
        }
        // A target that went away in between is a plain move.
        if (GetFileAttributesW(wide_to.c_str()) != INVALID_FILE_ATTRIBUTES) return -1;
    }
    return MoveFileExW(wide_from.c_str(), wide_to.c_str(), MOVEFILE_WRITE_THROUGH) ? 0 : -1;
}
