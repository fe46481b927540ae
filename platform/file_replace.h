// The file operations the C library lacks or gets wrong for the program,
// one source per system: platform/file_replace_posix.cpp and
// platform/file_replace_win32.cpp. The portable core reaches them only
// through its file seam.
//
// Paths are UTF-8 on every system. Windows gets them as UTF-16 (the W
// functions), so a folder named in any script opens whatever the system's
// ANSI code page is.
#pragma once

#include <cstdio>

// std::fopen and std::remove for UTF-8 paths. The mode "wxb" creates the
// file exclusively, as CreateNewFile.
std::FILE* OpenFile(const char* path, const char* mode);
int RemoveFile(const char* path);

// Creates a file that must not exist yet and opens it for writing ("wb"):
// nullptr when a file, folder or link of that name is there (a link is
// never followed; errno is EEXIST then) or the file cannot be made.
std::FILE* CreateNewFile(const char* path);

// Flushes the stream's buffer and the system's cache of the file to the
// disk; 0 on success.
int FlushFileToDisk(std::FILE* file);

// Makes `from` the file `to` and returns once the move is written through;
// 0 on success. An existing `to` is replaced keeping its attributes and
// permissions (Windows: ReplaceFileW; POSIX: its mode given to `from`).
int MoveFileOver(const char* from, const char* to);
