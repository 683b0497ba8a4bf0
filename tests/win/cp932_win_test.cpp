#include <windows.h>

#include <gtest/gtest.h>

#include "shared/cp932.h"

namespace tavo {
namespace {

// Explicit code page 932, whatever the system's ANSI code page is.
TEST(Cp932Win, WideRoundTrip) {
    struct Case {
        const char* cp932;
        const wchar_t* wide;
    } cases[] = {
        {"ソ表", L"\u30BD\u8868"},
        {"令和8年12月7日", L"\u4EE4\u548C" L"8\u5E7412\u6708" L"7\u65E5"},
        {"ｱ", L"\uFF71"},
        {"C:\\Tavo\\data", L"C:\\Tavo\\data"},
        {"", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cp932ToWide(c.cp932), std::wstring(c.wide));
        EXPECT_EQ(wideToCp932(c.wide), std::string(c.cp932));
    }
}

TEST(Cp932Win, Utf8GoesThroughWide) {
    EXPECT_EQ(cp932ToUtf8("ソ表"), "\xE3\x82\xBD\xE8\xA1\xA8");
    EXPECT_EQ(utf8ToCp932("\xE3\x82\xBD\xE8\xA1\xA8"), "ソ表");
}

TEST(Cp932Win, TheWineTestLocaleUsesCodePage932) { EXPECT_EQ(GetACP(), 932u); }

}  // namespace
}  // namespace tavo
