#include "platform/mapped_file.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/wide_path.h"

namespace {

// Reads what the handle gives up to its end; false on a read error.
bool ReadToEnd(HANDLE file, std::vector<char>& bytes) {
    char chunk[1 << 16];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) return GetLastError() == ERROR_BROKEN_PIPE;
        if (got == 0) return true;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
}

}  // namespace

void MappedFile::Release() {
    if (mapped_) {
        UnmapViewOfFile(data_);
    } else {
        delete[] data_;
    }
    data_ = nullptr;
    size_ = 0;
    mapped_ = false;
}

MappedFile::Status MappedFile::Open(const char* path) {
    Release();
    const std::wstring wide_path = Wide(path);
    if (wide_path.empty()) return Status::cannot_open;
    // Others may read the file meanwhile, and write it (as they could
    // while it was read piece by piece), but not cut it short.
    HANDLE file = CreateFileW(wide_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Status::cannot_open;
    Status status = Status::read_failed;
    LARGE_INTEGER length{};
    const bool disk_file = GetFileType(file) == FILE_TYPE_DISK;
    if (disk_file && GetFileSizeEx(file, &length) &&
        static_cast<std::uint64_t>(length.QuadPart) <= static_cast<std::uint64_t>(SIZE_MAX)) {
        size_ = static_cast<std::size_t>(length.QuadPart);
        if (size_ == 0) {
            status = Status::ok;
        } else if (HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr)) {
            const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
            CloseHandle(mapping);  // the view holds the mapping
            if (view != nullptr) {
                data_ = static_cast<const char*>(view);
                mapped_ = true;
                status = Status::ok;
            }
        }
        if (status != Status::ok) size_ = 0;
    }
    if (status != Status::ok) {
        std::vector<char> bytes;
        if (ReadToEnd(file, bytes)) {
            char* copy = new char[bytes.size() + 1];
            std::copy(bytes.begin(), bytes.end(), copy);
            data_ = copy;
            size_ = bytes.size();
            status = Status::ok;
        }
    }
    CloseHandle(file);
    return status;
}
