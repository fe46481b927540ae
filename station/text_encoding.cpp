#include "station/text_encoding.h"

#include <cstdint>

namespace {

const std::uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::uint32_t Cp1252CodePoint(unsigned char byte) { return (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80] : byte; }

char* WriteCp1252AsUtf8(char* out, std::string_view text) {
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            *out++ = c;
            continue;
        }
        const std::uint32_t cp = Cp1252CodePoint(byte);
        if (cp < 0x800) {
            *out++ = static_cast<char>(0xC0 | (cp >> 6));
        } else {
            *out++ = static_cast<char>(0xE0 | (cp >> 12));
            *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        }
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out(kUtf8BytesPerCp1252Byte * text.size(), '\0');
    out.resize(static_cast<std::size_t>(WriteCp1252AsUtf8(&out[0], text) - out.data()));
    return out;
}

namespace {

char CodePointToCp1252(std::uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == cp) return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        auto b = static_cast<unsigned char>(text[i]);
        int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0) {  // a stray continuation byte or an invalid lead byte
            out += '?';
            ++i;
            continue;
        }
        std::uint32_t cp = extra == 0 ? b : (b & (0x3Fu >> extra));
        std::size_t j = 1;
        for (; j <= static_cast<std::size_t>(extra); ++j) {
            if (i + j >= text.size() || (static_cast<unsigned char>(text[i + j]) & 0xC0) != 0x80) break;
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + j]) & 0x3Fu);
        }
        out += j == static_cast<std::size_t>(extra) + 1 ? CodePointToCp1252(cp) : '?';
        i += j;
    }
    return out;
}
