// The one boundary between the program's texts and Windows, which takes
// and gives UTF-16 (the W functions):
// - paths and the program's own messages are UTF-8 inside the program;
// - station texts (the record, station files, the database) are
//   Windows-1252, whatever the system's ANSI code page: their bytes are the
//   file formats.
#pragma once

#include <string>

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const wchar_t* text, int length = -1);
inline std::string Utf8FromWide(const std::wstring& text) {
    return Utf8FromWide(text.c_str(), static_cast<int>(text.size()));
}

std::wstring WideFrom1252(const char* text, int length = -1);
inline std::wstring WideFrom1252(const std::string& text) {
    return WideFrom1252(text.c_str(), static_cast<int>(text.size()));
}
// The Windows-1252 bytes of a text; false when a character has no byte
// there (no best-fit substitute is taken): `refused` is then that
// character as UTF-8 and `code_point` its number.
bool Cp1252FromWide(const std::wstring& text, std::string& bytes, std::string& refused, unsigned& code_point);
