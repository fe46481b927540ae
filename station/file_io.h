// The seam through which station files reach the operating system. Tests
// replace the operations to provoke failures (short writes, a full disk, a
// close that fails) that a real file system will not produce on demand.
#pragma once

#include <cstddef>
#include <cstdio>

struct FileOps {
    std::FILE* (*open)(const char* path, const char* mode);
    std::size_t (*read)(void* buffer, std::size_t size, std::FILE* file);
    std::size_t (*write)(const void* buffer, std::size_t size, std::FILE* file);
    int (*close)(std::FILE* file);  // 0 on success
    // Positioning, as std::fseek and std::ftell: the database files are read
    // at record offsets.
    int (*seek)(std::FILE* file, long offset, int origin);  // 0 on success
    long (*tell)(std::FILE* file);                          // -1 on failure
};

const FileOps& DefaultFileOps();
// The operations in force; SetFileOps(nullptr) restores the default ones.
const FileOps& CurrentFileOps();
void SetFileOps(const FileOps* ops);
