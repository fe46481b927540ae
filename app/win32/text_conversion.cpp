#include "app/win32/text_conversion.h"

#include "app/win32/win32_api.h"

namespace {

constexpr UINT kStationCodePage = 1252;

std::wstring Widen(UINT code_page, const char* text, int length) {
    if (length < 0) length = lstrlenA(text);
    if (length == 0) return std::wstring();
    int wide_length = MultiByteToWideChar(code_page, 0, text, length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wide_length > 0 ? wide_length : 0), L'\0');
    if (wide_length > 0) MultiByteToWideChar(code_page, 0, text, length, &wide[0], wide_length);
    return wide;
}

}  // namespace

std::wstring WideFromUtf8(const std::string& text) {
    return Widen(CP_UTF8, text.c_str(), static_cast<int>(text.size()));
}

std::string Utf8FromWide(const wchar_t* text, int length) {
    if (length < 0) length = lstrlenW(text);
    if (length == 0) return std::string();
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, text, length, &utf8[0], bytes, nullptr, nullptr);
    return utf8;
}

std::wstring WideFrom1252(const char* text, int length) { return Widen(kStationCodePage, text, length); }

bool Cp1252FromWide(const std::wstring& text, std::string& bytes, std::string& refused, unsigned& code_point) {
    bytes.clear();
    // One character at a time, so that the refused one can be named; a
    // surrogate pair is one character.
    for (std::size_t i = 0; i < text.size();) {
        std::size_t units = 1;
        if (text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            units = 2;
        }
        char byte = 0;
        BOOL defaulted = FALSE;
        int n = units == 1 ? WideCharToMultiByte(kStationCodePage, WC_NO_BEST_FIT_CHARS, &text[i], 1, &byte, 1,
                                                 nullptr, &defaulted)
                           : 0;
        if (n != 1 || defaulted) {
            refused = Utf8FromWide(&text[i], static_cast<int>(units));
            code_point = units == 2 ? 0x10000u + ((text[i] - 0xD800u) << 10) + (text[i + 1] - 0xDC00u) : text[i];
            return false;
        }
        bytes.push_back(byte);
        i += units;
    }
    return true;
}
