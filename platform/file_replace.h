// The two file operations the C library lacks, one source per system:
// platform/file_replace_posix.cpp and platform/file_replace_win32.cpp.
// The portable core reaches them only through its file seam.
#pragma once

#include <cstdio>

// Flushes the stream's buffer and the system's cache of the file to the
// disk; 0 on success.
int FlushFileToDisk(std::FILE* file);

// Moves `from` over `to`, replacing a file of that name, and returns once the
// move is written through; 0 on success.
int MoveFileOver(const char* from, const char* to);
