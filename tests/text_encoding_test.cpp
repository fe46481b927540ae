// Windows-1252 texts as UTF-8 and back.
#include "station/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextEncoding, Cp1252ToUtf8) {
    const struct {
        std::string cp1252, utf8;
    } cases[] = {
        {"", ""},
        {"BERLIN-TEMPELHOF", "BERLIN-TEMPELHOF"},
        {"GEN\xC8VE", "GEN\xC3\x88VE"},                          // a Latin-1 letter
        {"\x80 5", "\xE2\x82\xAC 5"},                            // the euro sign of the table
        {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},  // undefined: the C1 control
        {"K\xF6ppen\x96Geiger", "K\xC3\xB6ppen\xE2\x80\x93Geiger"},
        {std::string("A\0B", 3), std::string("A\0B", 3)},
        {"\xFF", "\xC3\xBF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8) << c.cp1252;
        char written[64] = "x\t";  // written after what is there
        const char* end = WriteCp1252AsUtf8(written + 2, c.cp1252);
        EXPECT_EQ(std::string(static_cast<const char*>(written), end), "x\t" + c.utf8) << c.cp1252;
    }
}

TEST(TextEncoding, EveryByteComesBack) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << b;
    }
    EXPECT_EQ(Utf8ToCp1252("\xC5\x81\xC3\xB3""d\xC5\xBA"), "?\xF3" "d?");  // letters 1252 lacks
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82"), "?");                               // a cut sequence
}

}  // namespace
