#include "diagram/text_buffer.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

std::string_view FormatText(TextBuffer& buffer, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer.bytes, kTextBufferSize, format, args);
    va_end(args);
    if (n < 0) {
        buffer.bytes[0] = '\0';
        return {};
    }
    std::size_t length = static_cast<std::size_t>(n);
    if (length > kTextBufferSize - 1) length = kTextBufferSize - 1;
    return {buffer.bytes, length};
}

namespace {

// The C libraries disagree on how they print NaN and infinities
// ("1.#QNAN", "nan", "-nan"), so those are spelled out here.
NumberText FormatReal(double value, const char* format, bool plus) {
    NumberText t{};
    if (std::isnan(value)) {
        std::snprintf(t.bytes, sizeof t.bytes, "%snan", plus ? "+" : " ");
    } else if (std::isinf(value)) {
        std::snprintf(t.bytes, sizeof t.bytes, "%sinf", value < 0 ? "-" : plus ? "+" : " ");
    } else {
        std::snprintf(t.bytes, sizeof t.bytes, format, value);
    }
    return t;
}

std::string_view CopyInto(TextBuffer& buffer, const NumberText& text) {
    std::size_t n = std::strlen(text.bytes);
    std::memcpy(buffer.bytes, text.bytes, n + 1);
    return {buffer.bytes, n};
}

}  // namespace

NumberText TemperatureText(float value) { return FormatReal(value, "%+2.1f", true); }
NumberText PrecipitationText(float value) { return FormatReal(value, "%4.0f", false); }

std::string_view FormatTemperature(TextBuffer& buffer, float value) {
    return CopyInto(buffer, TemperatureText(value));
}

std::string_view FormatPrecipitation(TextBuffer& buffer, float value) {
    return CopyInto(buffer, PrecipitationText(value));
}
