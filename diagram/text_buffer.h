// The one text buffer every formatted text of the diagram and the table is
// written into before it is drawn: 64 bytes, so a text holds at most 63
// characters. A longer result (only absurd numbers from a file give one)
// is cut at 63 characters; nothing is written past the buffer.
#pragma once

#include <cstddef>
#include <string_view>

constexpr std::size_t kTextBufferSize = 64;

struct TextBuffer {
    char bytes[kTextBufferSize] = {};
};

// printf-style formatting into the buffer; the result views the buffer.
std::string_view FormatText(TextBuffer& buffer, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// The "%+2.1f" text of the temperatures and the "%4.0f" text of the
// precipitation. NaN and infinities read "+nan", "+inf", "-inf" (and
// " nan", " inf", "-inf") on every platform.
std::string_view FormatTemperature(TextBuffer& buffer, float value);
std::string_view FormatPrecipitation(TextBuffer& buffer, float value);

// The same texts as standalone strings (at most 63 characters), for
// composing a line of several values.
struct NumberText {
    char bytes[kTextBufferSize];
};
NumberText TemperatureText(float value);
NumberText PrecipitationText(float value);
