#include "shared/cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace tavo {
namespace {

// Narrow literals are compiled to CP932, including trail bytes equal to '\\'.
TEST(Cp932, LiteralsHoldCp932Bytes) {
    EXPECT_EQ(std::string("ソ表"), std::string("\x83\x5C\x95\x5C"));
    EXPECT_EQ(std::string("能"), std::string("\x94\x5C"));
    EXPECT_EQ(std::string("平成"), std::string("\x95\xBD\x90\xAC"));
    EXPECT_EQ(std::string("ｱ"), std::string("\xB1"));  // half-width katakana is one byte
    EXPECT_EQ(sizeof("令和"), 5u);
}

TEST(Cp932, ConvertsToAndFromUtf8) {
    struct Case {
        const char* cp932;
        const char* utf8;
    } cases[] = {
        {"ソ表", "\xE3\x82\xBD\xE8\xA1\xA8"},
        {"令和8年", "\xE4\xBB\xA4\xE5\x92\x8C" "8\xE5\xB9\xB4"},
        {"abc", "abc"},
        {"", ""},
        {"ｱ", "\xEF\xBD\xB1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cp932ToUtf8(c.cp932), c.utf8);
        EXPECT_EQ(utf8ToCp932(c.utf8), c.cp932);
    }
}

TEST(Cp932, BrokenInputIsReplacedNotDropped) {
    // A lead byte at the end: the code page's own default "・" everywhere, which it stores again.
    EXPECT_EQ(cp932ToUtf8("a\x83"), "a\xE3\x83\xBB");
    EXPECT_EQ(utf8ToCp932(cp932ToUtf8("a\x83")), "a\x81\x45");
    EXPECT_EQ(utf8ToCp932("\xF0\x9F\x98\x80x"), std::string("?x"));  // no CP932 form
}

TEST(Cp932, FitLengthNeverSplitsACharacter) {
    struct Case {
        const char* text;
        std::size_t max, fit;
    } cases[] = {
        {"ソ表", 3, 2}, {"ソ表", 4, 4}, {"aソ", 2, 1}, {"aソ", 3, 3}, {"abc", 2, 2}, {"ｱｲ", 1, 1},
        {"\x83", 5, 0},  // a lone lead byte is not a character
    };
    for (const Case& c : cases) EXPECT_EQ(cp932FitLength(c.text, c.max), c.fit) << c.max;
}

}  // namespace
}  // namespace tavo
