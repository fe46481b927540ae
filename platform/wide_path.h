// UTF-8 paths as the W functions of Windows take them.
#pragma once

#include <windows.h>

#include <string>

// The UTF-16 form of a UTF-8 text; empty when it is not UTF-8 or empty.
inline std::wstring Wide(const char* utf8) {
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &wide[0], length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}
