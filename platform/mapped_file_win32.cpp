#include "platform/mapped_file.h"

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/wide_path.h"

namespace {

// Reads up to `size` bytes from the start; the count read (less where the
// file ended early), or -1 on a read error.
long long ReadUpTo(HANDLE file, char* bytes, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        const std::size_t want = size - got < (1u << 30) ? size - got : (1u << 30);
        DWORD n = 0;
        if (!ReadFile(file, bytes + got, static_cast<DWORD>(want), &n, nullptr)) return -1;
        if (n == 0) break;
        got += n;
    }
    return static_cast<long long>(got);
}

}  // namespace

void MappedFile::Unmap(const char* view, std::size_t) { UnmapViewOfFile(view); }

MappedFile::Status MappedFile::Open(const char* path) {
    Release();
    const std::wstring wide_path = Wide(path);
    if (wide_path.empty()) return Status::cannot_open;
    // Others may read the file meanwhile, and write it (as they could
    // while it was read piece by piece), but not cut it short.
    HANDLE file = CreateFileW(wide_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Status::cannot_open;
    // Only a file on a disk has the length its bytes are read by (a pipe
    // or a device does not).
    LARGE_INTEGER length{};
    const bool regular = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &length) &&
                         static_cast<std::uint64_t>(length.QuadPart) <= static_cast<std::uint64_t>(SIZE_MAX);
    const std::size_t size = regular ? static_cast<std::size_t>(length.QuadPart) : 0;
    Status status = regular && size == 0 ? Status::ok : Status::read_failed;
    if (regular && size > 0) {
        const void* view = nullptr;
        if (HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr)) {
            view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
            CloseHandle(mapping);  // the view holds the mapping
        }
        // Where it cannot be mapped: read.
        status = view != nullptr ? TakeView(view, size)
                                 : ReadInstead(size, [&](char* bytes, std::size_t n) { return ReadUpTo(file, bytes, n); });
    }
    CloseHandle(file);
    return status;
}
