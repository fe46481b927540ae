// The memorial word matcher.
#include <gtest/gtest.h>

#include <string>

#include "app/logic/memorial.h"

namespace {

// Types the text; an upper-case R stands for an auto-repeat of the letter
// before it. Returns how many times the dialog would open.
int Opens(MemorialMatcher& matcher, const std::string& typed) {
    int opens = 0;
    char last = 0;
    for (char c : typed) {
        bool repeated = c == 'R';
        if (matcher.OnChar(static_cast<std::uint8_t>(repeated ? last : c), repeated)) ++opens;
        if (!repeated) last = c;
    }
    return opens;
}

TEST(Memorial, WordMatcherCases) {
    struct Case {
        const char* typed;
        int opens;
    } cases[] = {
        {"wisp", 1},
        {"wispwisp", 2},       // again right after the dialog closed
        {"Wisp", 0},           // case matters
        {"wwisp", 0},          // the breaking letter is not a new start
        {"wwispwisp", 1},      // ...but the word typed once more opens it
        {"wiRRRsp", 1},        // auto-repeat of the second letter is ignored
        {"wiisp", 0},          // pressing it twice is not
        {"xwisp", 1},
        {"wis", 0},
        {"w\xE9wisp", 1},
        {"wispy wisp", 2},
    };
    for (const Case& c : cases) {
        MemorialMatcher matcher;
        EXPECT_EQ(Opens(matcher, c.typed), c.opens) << c.typed;
    }
}

TEST(Memorial, IndexCountsTheLettersMatchedAndRestartsAfterTheWord) {
    MemorialMatcher matcher;
    Opens(matcher, "wis");
    EXPECT_EQ(matcher.index(), 3);
    matcher.OnChar('s', true);  // a repeat leaves it alone
    EXPECT_EQ(matcher.index(), 3);
    Opens(matcher, "p");
    EXPECT_EQ(matcher.index(), 0);
    Opens(matcher, "wx");
    EXPECT_EQ(matcher.index(), 0);
}

}  // namespace
