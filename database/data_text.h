// Text conversions of the station database files. The files are fixed
// columns of single-byte text; numbers are read the way the C library's
// atoi and atof read them, so a conversion starts at a column and reads on
// past its end while the bytes continue the number. The callers pass a view
// that ends where the bytes read from the file end: nothing beyond the view
// is ever looked at.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Integer conversion: leading white space, an optional sign, then decimal
// digits up to the first other byte. No digits gives 0. A value beyond the
// 32-bit range saturates at INT32_MIN or INT32_MAX.
std::int32_t ParseLeadingInteger(std::string_view text);

// Real conversion: leading white space, an optional sign, digits with an
// optional decimal point and fraction, and an optional exponent (e or E with
// optional sign and at least one digit). Only decimal text is taken: no
// "inf", "nan" or hexadecimal forms. No number gives 0. The double read is
// stored as float; a magnitude beyond the float range becomes infinity.
float ParseLeadingReal(std::string_view text);

// One 8-byte value field in the two shapes the data files write: blanks,
// an optional minus, then digits to the field's end, or digits, a point
// at the seventh byte and one decimal ("   -12.3", "      27"). The value
// is the one ParseLeadingReal reads from the field, found without a
// branch per byte; false for any other field (read it with
// ParseLeadingReal).
bool ParseAlignedDecimal(const char* field, float& value);
// The same for `count` fields one after the other, into values[0] on: the
// number of fields read before the first that is not of those shapes.
int ParseAlignedDecimals(const char* fields, int count, float* values);

// a - b + 1 for the year columns, saturated to the 32-bit range.
std::int32_t YearsBetween(std::int32_t first, std::int32_t last);

// strncmp(a, b, n) == 0 for texts that end at their view's end or at a NUL,
// whichever comes first: the comparison stops early where both end.
bool TextsEqual(std::string_view a, std::string_view b, std::size_t n);

// The text up to the first NUL, or the whole view.
std::string_view CutAtNul(std::string_view text);

// The text without its trailing blanks (for showing list items).
std::string_view TrimTrailingBlanks(std::string_view text);
// A fixed-width column as it reads: cut at a NUL, without its leading and
// trailing blanks.
std::string_view TrimmedColumn(std::string_view text);

// The text blank-padded to at least `width` bytes, as a fixed column holds it.
std::string PadWithBlanks(std::string_view text, std::size_t width);
