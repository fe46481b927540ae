#include "database/data_text.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipSpace(std::string_view text, std::size_t i) {
    while (i < text.size() && IsSpace(text[i])) ++i;
    return i;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i;
}

std::int32_t Saturate(std::int64_t v) {
    if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

// Eight bytes at once, the first byte lowest.
constexpr std::uint64_t kEachByte = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

std::uint64_t LoadLittleEndian(const char* p) {
    std::uint64_t x;
    std::memcpy(&x, p, 8);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    x = __builtin_bswap64(x);
#endif
    return x;
}
// The eight digit values (0 to 9, one a byte) as a number, the first byte
// the most significant.
std::uint32_t EightDigits(std::uint64_t x) {
    x = (x * 2561) >> 8;
    x = ((x & 0x00FF00FF00FF00FFull) * 6553601) >> 16;
    return static_cast<std::uint32_t>(((x & 0x0000FFFF0000FFFFull) * 42949672960001ull) >> 32);
}

// Eight bytes that are blanks, an optional minus and then digits to the
// last byte: the digits as a number, and whether the minus is there.
inline bool AlignedInteger(std::uint64_t x, std::uint32_t& digits, bool& negative) {
    const std::uint64_t t = x ^ (kEachByte * '0');  // a digit becomes its value
    const std::uint64_t not_digit = (((t & ~kHighBits) + kEachByte * 0x76) | t) & kHighBits;
    // The bytes before the digits, all of their bits set: a run from the
    // first byte, and the last byte a digit.
    const std::uint64_t before = (not_digit >> 7) * 0xFF;
    if ((before & (before + 1)) != 0 || (not_digit >> 63) != 0) return false;
    // Those bytes are blanks, but for a minus right before the digits.
    const std::uint64_t other = (x ^ (kEachByte * ' ')) & before;  // a blank becomes 0
    const std::uint64_t last = before ^ (before >> 8);              // the byte before the digits
    if ((other & ~last) != 0) return false;
    negative = (other & last) != 0;
    if (negative && (other & last) != (kEachByte * ('-' ^ ' ') & last)) return false;
    digits = EightDigits(t & ~before);
    return true;
}

}  // namespace

std::int32_t ParseLeadingInteger(std::string_view text) {
    // A number that fills eight bytes as the files align it, read at once.
    if (text.size() >= 8 && (text.size() == 8 || !IsDigit(text[8]))) {
        std::uint32_t digits = 0;
        bool negative = false;
        if (AlignedInteger(LoadLittleEndian(text.data()), digits, negative)) {
            return negative ? -static_cast<std::int32_t>(digits) : static_cast<std::int32_t>(digits);
        }
    }
    std::size_t i = SkipSpace(text, 0);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Past 2^32 the value is saturated anyway, so stop growing it there.
    constexpr std::int64_t kCap = std::int64_t{1} << 32;
    std::int64_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (value < kCap) value = value * 10 + (text[i] - '0');
    }
    return Saturate(negative ? -value : value);
}

namespace {

// Up to 15 digits and no exponent (every value of the data files): the
// digits as an integer and the power of ten are both exact doubles, so
// their quotient is the correctly rounded value that strtod returns, at a
// fraction of its cost (the climate classes read every mean of a
// database). False for any other text.
bool ParseShortDecimal(std::string_view text, std::size_t start, float& value) {
    static const double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                     1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::size_t i = start;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::int64_t mantissa = 0;
    int digits = 0, decimals = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            mantissa = mantissa * 10 + (text[i] - '0');
            ++digits;
            decimals += point ? 1 : 0;
            if (digits > 15) return false;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0 || (i < text.size() && (text[i] == 'e' || text[i] == 'E'))) return false;
    const double magnitude = static_cast<double>(mantissa) / kPowers[decimals];
    value = static_cast<float>(negative ? -magnitude : magnitude);
    return true;
}

}  // namespace

namespace {

// ParseAlignedDecimal, for the compiler to put into the loop over a block.
inline bool AlignedDecimal(const char* field, float& value) {
    std::uint64_t x = LoadLittleEndian(field);
    // A point at the seventh byte is taken out (a blank comes in front):
    // both shapes are then blanks, an optional minus and digits to the end.
    const bool point = (x >> 48 & 0xFF) == '.';
    if (point) x = ((x & 0x0000FFFFFFFFFFFFull) << 8) | (x & 0xFF00000000000000ull) | ' ';
    std::uint32_t number = 0;
    bool negative = false;
    if (!AlignedInteger(x, number, negative)) return false;
    const double digits = number;
#if defined(__FLT_EVAL_METHOD__) && __FLT_EVAL_METHOD__ == 0
    // With the point, at most seven digits: for every such number n the
    // float of n x 0.1 in double is the float of n / 10 (the tests check
    // each n), and a product costs less than a quotient.
    const double magnitude = point ? digits * 0.1 : digits;
#else
    // Arithmetic in wider registers (x87) rounds twice: the quotient, as
    // the real conversion has it.
    const double magnitude = point ? digits / 1e1 : digits;
#endif
    value = static_cast<float>(negative ? -magnitude : magnitude);
    return true;
}

}  // namespace

bool ParseAlignedDecimal(const char* field, float& value) { return AlignedDecimal(field, value); }

#if defined(__SSE2__)

namespace {

// Two fields at once, each an eight-byte lane, with the steps of
// AlignedDecimal: the values it gives, or false when either field is of
// neither shape.
bool AlignedDecimalPair(const char* fields, float* values) {
    const __m128i zero = _mm_setzero_si128();
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(fields));
    // A point at the seventh byte of a lane is taken out, a blank coming in
    // front; `points`: the lanes that had it, all bits set.
    const __m128i point_byte = _mm_and_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('.')),
                                             _mm_set1_epi64x(0x00FF000000000000ll));
    const __m128i points = _mm_sub_epi64(zero, _mm_srli_epi64(point_byte, 55));
    const __m128i moved = _mm_or_si128(
        _mm_or_si128(_mm_slli_epi64(_mm_and_si128(x, _mm_set1_epi64x(0x0000FFFFFFFFFFFFll)), 8),
                     _mm_and_si128(x, _mm_set1_epi64x(static_cast<long long>(0xFF00000000000000ull)))),
        _mm_set1_epi64x(' '));
    x = _mm_or_si128(_mm_and_si128(points, moved), _mm_andnot_si128(points, x));
    // The bytes before the digits (all bits set): a run from a lane's first
    // byte, its last byte a digit, each a blank but for a minus right
    // before the digits.
    const __m128i d = _mm_sub_epi8(x, _mm_set1_epi8('0'));
    const __m128i is_digit = _mm_cmpeq_epi8(_mm_min_epu8(d, _mm_set1_epi8(9)), d);
    const __m128i before = _mm_andnot_si128(is_digit, _mm_set1_epi8(-1));
    const __m128i last = _mm_xor_si128(before, _mm_srli_epi64(before, 8));
    const __m128i other = _mm_and_si128(_mm_xor_si128(x, _mm_set1_epi8(' ')), before);  // a blank becomes 0
    const __m128i minus = _mm_and_si128(_mm_cmpeq_epi8(other, _mm_set1_epi8('-' ^ ' ')), last);
    const __m128i allowed = _mm_or_si128(_mm_cmpeq_epi8(other, zero), minus);
    const __m128i wrong = _mm_or_si128(
        _mm_or_si128(_mm_andnot_si128(allowed, _mm_set1_epi8(-1)),
                     _mm_and_si128(before, _mm_add_epi64(before, _mm_set1_epi64x(1)))),
        _mm_and_si128(before, _mm_set1_epi64x(static_cast<long long>(0xFF00000000000000ull))));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(wrong, zero)) != 0xFFFF) return false;
    // The digit values (0 elsewhere), the first the most significant: to
    // 0..99 by twos, to 0..9999 by fours, to each lane's number.
    const __m128i v = _mm_and_si128(d, is_digit);
    const __m128i twos = _mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(_mm_slli_epi16(v, 8), 8), _mm_set1_epi16(10)),
                                       _mm_srli_epi16(v, 8));
    const __m128i fours = _mm_madd_epi16(twos, _mm_set1_epi32(0x00010064));  // 100 x the first + the second
    const __m128i eights = _mm_add_epi64(_mm_mul_epu32(fours, _mm_set1_epi32(10000)), _mm_srli_epi64(fours, 32));
    const __m128d numbers = _mm_cvtepi32_pd(_mm_shuffle_epi32(eights, _MM_SHUFFLE(3, 1, 2, 0)));
    // With the point, times 0.1 as AlignedDecimal; a minus turns the sign.
    const __m128d scale = _mm_or_pd(_mm_and_pd(_mm_castsi128_pd(points), _mm_set1_pd(0.1)),
                                    _mm_andnot_pd(_mm_castsi128_pd(points), _mm_set1_pd(1.0)));
    const __m128i sign = _mm_and_si128(_mm_slli_epi64(_mm_sad_epu8(minus, zero), 56),
                                       _mm_set1_epi64x(static_cast<long long>(0x8000000000000000ull)));
    const __m128d result = _mm_xor_pd(_mm_mul_pd(numbers, scale), _mm_castsi128_pd(sign));
    alignas(16) float two[4];
    _mm_store_ps(two, _mm_cvtpd_ps(result));
    std::memcpy(values, two, 2 * sizeof(float));
    return true;
}

}  // namespace

#endif

int ParseAlignedDecimals(const char* fields, int count, float* values) {
#if defined(__SSE2__)
    // Two fields at a time while both have the usual shapes.
    int pairs = 0;
    while (2 * pairs + 1 < count && AlignedDecimalPair(fields + 16 * static_cast<std::size_t>(pairs), values + 2 * pairs)) {
        ++pairs;
    }
    int i = 2 * pairs;
#else
    int i = 0;
#endif
    while (i < count && AlignedDecimal(fields + 8 * static_cast<std::size_t>(i), values[i])) ++i;
    return i;
}

float ParseLeadingReal(std::string_view text) {
    std::size_t start = SkipSpace(text, 0);
    if (float value; ParseShortDecimal(text, start, value)) return value;
    std::size_t i = start;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t int_end = SkipDigits(text, i);
    std::size_t digits = int_end - i;
    i = int_end;
    if (i < text.size() && text[i] == '.') {
        std::size_t frac_end = SkipDigits(text, i + 1);
        digits += frac_end - (i + 1);
        i = frac_end;
    }
    if (digits == 0) return 0.0f;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        std::size_t exp_end = SkipDigits(text, j);
        if (exp_end > j) i = exp_end;
    }
    // The prefix holds decimal text only, which strtod reads alike in every
    // locale that the program can be in (it never changes the C locale).
    std::string number(text.substr(start, i - start));
    double value = std::strtod(number.c_str(), nullptr);
    if (std::isnan(value)) return 0.0f;
    if (value > FLT_MAX) return std::numeric_limits<float>::infinity();
    if (value < -FLT_MAX) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

std::int32_t YearsBetween(std::int32_t first, std::int32_t last) {
    return Saturate(static_cast<std::int64_t>(last) - first + 1);
}

bool TextsEqual(std::string_view a, std::string_view b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        char ca = i < a.size() ? a[i] : '\0';
        char cb = i < b.size() ? b[i] : '\0';
        if (ca != cb) return false;
        if (ca == '\0') return true;
    }
    return true;
}

std::string_view CutAtNul(std::string_view text) {
    // A column is a few words: eight bytes at a time, the first NUL's
    // byte from the lowest bit of the mask.
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        const std::uint64_t x = LoadLittleEndian(text.data() + i);
        const std::uint64_t nul = (x - kEachByte) & ~x & kHighBits;
        if (nul != 0) return text.substr(0, i + static_cast<std::size_t>(__builtin_ctzll(nul)) / 8);
    }
    for (; i < text.size(); ++i) {
        if (text[i] == '\0') return text.substr(0, i);
    }
    return text;
}

std::string_view TrimTrailingBlanks(std::string_view text) {
    std::size_t n = text.size();
    // Eight blanks at a time while there are, then one.
    while (n >= 8 && LoadLittleEndian(text.data() + n - 8) == kEachByte * ' ') n -= 8;
    while (n > 0 && text[n - 1] == ' ') --n;
    return text.substr(0, n);
}

std::string PadWithBlanks(std::string_view text, std::size_t width) {
    std::string out(text);
    if (out.size() < width) out.append(width - out.size(), ' ');
    return out;
}

std::string_view TrimmedColumn(std::string_view text) {
    text = TrimTrailingBlanks(CutAtNul(text));
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return text;
}
