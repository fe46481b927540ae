#include "database/data_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(DatabaseText, IntegerConversion) {
    struct Case {
        std::string text;
        std::int32_t expected;
    } cases[] = {
        {"  42x", 42},
        {"-7", -7},
        {"+5", 5},
        {"   ", 0},
        {"", 0},
        {"abc", 0},
        {"- 5", 0},
        {" -0.30", 0},  // the degrees of a latitude just south of the equator
        {"-33.55", -33},
        {"   01234", 1234},
        {"\t\n\r 12", 12},
        {"  152 ", 152},
        {"2147483647", kMax},
        {"2147483648", kMax},  // saturates instead of overflowing
        {"-2147483648", kMin},
        {"99999999999999999999999999999", kMax},
        {"-99999999999999999999999999999", kMin},
        {"   10384BERLIN", 10384},  // a number column and the name after it
        {"   103849", 103849},      // the digits go on past the column
        {"-1234567", -1234567},
        {"12345678", 12345678},
        {"   -0000", 0},
        {"  1 2345", 1},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseLeadingInteger(c.text), c.expected) << '"' << c.text << '"';
}

// Columns are read eight bytes at a time: random texts of the bytes that
// matter read as a byte-by-byte reading gives them.
TEST(DatabaseText, WordAtATimeReadingsAgreeWithByteByByte) {
    const char kBytes[] = " -+0123456789\t\0x";
    std::uint32_t seed = 99;
    auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
    for (int i = 0; i < 100000; ++i) {
        std::string text(1 + (next() >> 16) % 20, ' ');
        for (char& b : text) b = kBytes[(next() >> 16) % ((next() >> 20) % 3 == 0 ? sizeof kBytes - 1 : 13)];
        std::size_t j = 0;
        while (j < text.size() && (text[j] == ' ' || (text[j] >= '\t' && text[j] <= '\r'))) ++j;
        const bool negative = j < text.size() && text[j] == '-';
        if (j < text.size() && (text[j] == '-' || text[j] == '+')) ++j;
        std::int64_t value = 0;
        for (; j < text.size() && text[j] >= '0' && text[j] <= '9'; ++j) value = std::min<std::int64_t>(value * 10 + (text[j] - '0'), std::int64_t{1} << 40);
        value = std::clamp<std::int64_t>(negative ? -value : value, kMin, kMax);
        ASSERT_EQ(ParseLeadingInteger(text), value) << '"' << text << '"';
        const std::size_t nul = text.find('\0');
        ASSERT_EQ(CutAtNul(text), std::string_view(text).substr(0, nul)) << '"' << text << '"';
    }
}

TEST(DatabaseText, RealConversion) {
    struct Case {
        std::string text;
        float expected;
    } cases[] = {
        {"   -12.5", -12.5f},
        {"        ", 0.0f},
        {"    12,5", 12.0f},  // a comma ends the number
        {"-33.55 ", -33.55f},
        {" -0.30", -0.3f},
        {"  13.04", 13.04f},
        {"1e3", 1000.0f},
        {"1e", 1.0f},  // an exponent needs a digit
        {"1.5e+2x", 150.0f},
        {".5", 0.5f},
        {"5.", 5.0f},
        {".", 0.0f},
        {"-", 0.0f},
        {"inf", 0.0f},  // decimal text only
        {"nan", 0.0f},
        {"0x10", 0.0f},
        {"1e-999", 0.0f},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseLeadingReal(c.text), c.expected) << '"' << c.text << '"';
}

TEST(DatabaseText, RealBeyondTheFloatRangeIsInfinite) {
    EXPECT_EQ(ParseLeadingReal("1e999"), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ParseLeadingReal("-1e39"), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(ParseLeadingReal(std::string(400, '9')), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ParseLeadingReal("0." + std::string(400, '0') + "1"), 0.0f);
}

// Short decimals take a path of their own: it must give strtod's value,
// sign of zero included, for every digit count and point position.
TEST(DatabaseText, ShortDecimalsReadAsStrtodReadsThem) {
    std::uint64_t seed = 12345;
    auto next = [&seed] { return (seed = seed * 6364136223846793005u + 1442695040888963407u) >> 33; };
    for (int n = 0; n < 200000; ++n) {
        std::string text = next() % 3 == 0 ? "-" : (next() % 5 == 0 ? "+" : "");
        const int digits = 1 + static_cast<int>(next() % 16);
        const int point = static_cast<int>(next() % (digits + 1));
        for (int d = 0; d < digits; ++d) {
            if (d == point) text += '.';
            text += static_cast<char>('0' + next() % 10);
        }
        const float expected = static_cast<float>(std::strtod(text.c_str(), nullptr));
        const float got = ParseLeadingReal(text);
        ASSERT_EQ(std::signbit(got), std::signbit(expected)) << text;
        ASSERT_EQ(got, expected) << text;
    }
}

// The value fields of the two shapes the files write read at once, as
// ParseLeadingReal reads them; every other field is left to it. Random
// fields of the bytes that matter must never read otherwise.
TEST(DatabaseText, AlignedDecimalsReadAsTheRealConversionReadsThem) {
    const struct {
        const char* field;
        bool aligned;
    } cases[] = {
        {"    62.2", true},  {"   -12.3", true},  {"     0.0", true},  {"    -0.0", true},
        {"      27", true},  {"12345678", true},  {"-1234567", true},  {"123456.7", true},
        {"     -.5", true},  {"      .5", true},  {"-     .5", false}, {"   15.  ", false},
        {"  12.25 ", false}, {"  12.345", false}, {"        ", false}, {"   +17.0", false},
        {"   1.5e1", false}, {"  - 12.3", false}, {"  12 3.4", false}, {"  1.2.3 ", false},
        {"\t   12.3", false}, {"   --1.2", false}, {"   12..3", false}, {"      .-", false},
        {"   12.3a", false}, {"    12.a", false}, {"-       ", false}, {"       .", false},
    };
    for (const auto& c : cases) {
        float value = -999.0f;
        EXPECT_EQ(ParseAlignedDecimal(c.field, value), c.aligned) << "[" << c.field << "]";
        if (c.aligned) {
            const float expected = ParseLeadingReal(std::string_view(c.field, 8));
            EXPECT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << "[" << c.field << "] " << value;
        }
    }
    const char kBytes[] = " -.0123456789+e\0\tx";
    std::uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
    int aligned = 0;
    for (int i = 0; i < 200000; ++i) {
        char field[8];
        // Mostly blanks, digits and a point, so that many fields are aligned.
        for (char& b : field) b = kBytes[(next() >> 16) % ((next() >> 20) % 4 == 0 ? sizeof kBytes - 1 : 12)];
        float value;
        if (!ParseAlignedDecimal(field, value)) continue;
        ++aligned;
        const float expected = ParseLeadingReal(CutAtNul(std::string_view(field, 8)));
        ASSERT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << "[" << std::string(field, 8) << "]";
    }
    EXPECT_GT(aligned, 1000);
    // Twelve fields together read as each alone, up to the first that is
    // of neither shape.
    for (int i = 0; i < 20000; ++i) {
        char block[97];  // and the NUL of the last field's text
        for (char& b : block) b = kBytes[(next() >> 16) % ((next() >> 20) % 8 == 0 ? sizeof kBytes - 1 : 12)];
        for (int f = 0; f < 12; ++f) {  // mostly usual fields
            if ((next() >> 16) % 4 != 0) std::snprintf(block + 8 * f, 9, "%8.1f", static_cast<int>(next() >> 12) / 1e3 - 500);
        }
        float values[12], one;
        const int read = ParseAlignedDecimals(block, 12, values);
        int expected = 0;
        while (expected < 12 && ParseAlignedDecimal(block + 8 * expected, one)) ++expected;
        ASSERT_EQ(read, expected) << std::string(block, 96);
        for (int f = 0; f < read; ++f) {
            ParseAlignedDecimal(block + 8 * f, one);
            ASSERT_EQ(std::memcmp(&values[f], &one, sizeof one), 0) << std::string(block + 8 * f, 8);
        }
    }
}

// Every field of one decimal and up to seven digits, "     0.0" to
// "999999.9" and its negative, reads as the real conversion reads it.
TEST(DatabaseText, EveryOneDecimalFieldReadsAsTheRealConversion) {
    char field[9] = "     0.0";
    int bad = 0;
    for (long n = 0; n < 10000000 && bad < 5; ++n) {
        if (n > 0) {  // the next number: the last digit up, carried left
            int i = 7;
            while (true) {
                if (i == 6) --i;  // the point
                if (field[i] == ' ') field[i] = '0';
                if (field[i] != '9') {
                    ++field[i];
                    break;
                }
                field[i--] = '0';
            }
        }
        for (const bool negative : {false, true}) {
            char text[9];
            std::memcpy(text, field, 9);
            if (negative) {
                const char* digits = std::strpbrk(text, "0123456789");
                if (digits == text) continue;  // no room for the minus
                text[digits - text - 1] = '-';
            }
            float value = 0, expected = ParseLeadingReal(std::string_view(text, 8));
            char two[16];  // and as either of two fields read together
            std::memcpy(two, text, 8);
            std::memcpy(two + 8, field, 8);
            float values[2] = {};
            const float second = ParseLeadingReal(std::string_view(field, 8));
            if (!ParseAlignedDecimal(text, value) || std::memcmp(&value, &expected, sizeof value) != 0 ||
                ParseAlignedDecimals(two, 2, values) != 2 || std::memcmp(&values[0], &expected, sizeof value) != 0 ||
                std::memcmp(&values[1], &second, sizeof value) != 0) {
                ADD_FAILURE() << "[" << text << "] " << value << " " << values[0] << " " << expected;
                ++bad;
            }
        }
    }
}

TEST(DatabaseText, ConversionsReadOnPastAColumnButNotPastTheView) {
    // A number column followed by digits goes on into them.
    std::string header = "   1234567BERLIN";
    EXPECT_EQ(ParseLeadingInteger(header), 1234567);
    EXPECT_EQ(ParseLeadingInteger(std::string_view("   12345678") .substr(0, 6)), 123);
    // A blank column reads on into the next number: the layout needs a number in every column.
    EXPECT_EQ(ParseLeadingInteger("        1961"), 1961);
    EXPECT_EQ(ParseLeadingReal(std::string_view("-33.55", 4)), -33.0f);
}

TEST(DatabaseText, YearsSaturate) {
    EXPECT_EQ(YearsBetween(1951, 1990), 40);
    EXPECT_EQ(YearsBetween(1951, 1980), 30);
    EXPECT_EQ(YearsBetween(0, 0), 1);
    EXPECT_EQ(YearsBetween(kMin, kMax), kMax);
    EXPECT_EQ(YearsBetween(kMax, kMin), kMin);
}

TEST(DatabaseText, TextsEqualLikeStrncmp) {
    using namespace std::string_literals;
    EXPECT_TRUE(TextsEqual("ABC", "ABCD", 3));
    EXPECT_FALSE(TextsEqual("ABC", "ABCD", 4));
    EXPECT_TRUE(TextsEqual("AB\0x"s, "AB\0y"s, 4));  // both end at the NUL
    EXPECT_FALSE(TextsEqual("AB", "AB ", 3));
    EXPECT_TRUE(TextsEqual("AB", "AB", 50));
    EXPECT_TRUE(TextsEqual("", "", 3));
    EXPECT_FALSE(TextsEqual("", "A", 3));
}

TEST(DatabaseText, ListTextHelpers) {
    using namespace std::string_literals;
    EXPECT_EQ(CutAtNul("AB\0CD"s), "AB");
    EXPECT_EQ(CutAtNul("ABCD"), "ABCD");
    EXPECT_EQ(TrimTrailingBlanks("CHILE   "), "CHILE");
    EXPECT_EQ(TrimTrailingBlanks("   "), "");
    EXPECT_EQ(PadWithBlanks("OSLO", 6), "OSLO  ");
    EXPECT_EQ(PadWithBlanks("OSLO BLINDERN", 6), "OSLO BLINDERN");
}

}  // namespace
