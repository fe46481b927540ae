// The program's texts are single-byte Windows-1252; tools that print or
// write them as UTF-8 (JSON, SVG) decode them here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Every byte maps to one code point: 0x80..0x9F through the Windows-1252
// table, the five bytes it leaves undefined to the C1 control of the same value.
std::string Cp1252ToUtf8(std::string_view text);
// The same written at `out` (at most kUtf8BytesPerCp1252Byte bytes for
// each byte of the text); the end of what was written is returned.
constexpr std::size_t kUtf8BytesPerCp1252Byte = 3;
char* WriteCp1252AsUtf8(char* out, std::string_view text);

// The code point of one Windows-1252 byte, as Cp1252ToUtf8 decodes it.
std::uint32_t Cp1252CodePoint(unsigned char byte);

// The reverse, for names typed as UTF-8 (a command line): code points that
// Windows-1252 lacks become '?', as do malformed sequences.
std::string Utf8ToCp1252(std::string_view text);
