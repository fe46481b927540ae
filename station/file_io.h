// The seam through which station files reach the operating system. Tests
// replace the operations to provoke failures (short writes, a full disk, a
// close that fails) that a real file system will not produce on demand.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>

// Paths are UTF-8.
struct FileOps {
    // As std::fopen; "wxb" creates a new file exclusively (never an existing
    // one, never through a link).
    std::FILE* (*open)(const char* path, const char* mode);
    std::size_t (*read)(void* buffer, std::size_t size, std::FILE* file);
    std::size_t (*write)(const void* buffer, std::size_t size, std::FILE* file);
    int (*close)(std::FILE* file);  // 0 on success
    // Positioning, as std::fseek and std::ftell: the database files are read
    // at record offsets.
    int (*seek)(std::FILE* file, long offset, int origin);  // 0 on success
    long (*tell)(std::FILE* file);                          // -1 on failure
    // Pushes the buffered bytes to the disk itself (not only to the system's
    // cache); 0 on success.
    int (*flush)(std::FILE* file);
    // Moves `from` over `to` in one step, replacing a file of that name
    // (whose attributes and permissions stay) and returning only when the
    // move is on the disk; 0 on success.
    int (*move_over)(const char* from, const char* to);
    int (*remove)(const char* path);  // 0 on success
};

const FileOps& DefaultFileOps();
// The operations in force; SetFileOps(nullptr) restores the default ones.
const FileOps& CurrentFileOps();
void SetFileOps(const FileOps* ops);

// How a save went.
enum class SaveStatus {
    ok,
    cannot_create,  // the temporary file could not be made, or the target is not writable
    write_failed,   // short write, flush, close or the final move failed
};

// Writes the content through ops.write; false when a write came up short.
using SaveWriter = std::function<bool(const FileOps& ops, std::FILE* file)>;

// Saves a file so that a failure never costs the file that was there: the
// content goes to a temporary file in the target's folder, which is
// flushed to the disk and closed, and only then moved over the target.
// On any failure the target is left byte for byte as it was and the
// temporary file is removed. A target that exists but may not be written
// (a read-only file) is refused as before, with cannot_create.
SaveStatus SaveFileReplacing(const std::string& path, const SaveWriter& write);
SaveStatus SaveBytesReplacing(const std::string& path, const void* bytes, std::size_t size);
