// The search matcher: every folding a Japanese user expects, words ANDed,
// quoted words as written, and Shift-JIS trail bytes never taken for ASCII.
#include <gtest/gtest.h>

#include "calendar/search/search_text.h"

namespace tavo {
namespace {

bool holdsAll(const std::string& text, const std::string& query) {
    const SearchQuery q = parseSearchQuery(query);
    const std::string folded = foldForSearch(text);
    for (std::size_t i = 0; i < q.words(); ++i)
        if (!holdsWord(text, folded, q, i)) return false;
    return !q.empty();
}

TEST(SearchText, WhatMatches) {
    struct Case {
        const char *text, *query;
        bool found;
    } cases[] = {
        {"ＡＢＣ会議", "abc", true},       {"ABC", "ａｂｃ", true},          {"ｱｲｳ", "アイウ", true},
        {"たなか", "タナカ", true},         {"タナカ", "たなか", true},       {"ﾀﾅｶ", "たなか", true},
        {"１２３", "123", true},           {"ｶﾞｽ", "ガス", true},            {"ガス", "ｶﾞｽ", true},
        {"カ゛ス", "ガス", true},           {"が", "ｶﾞ", true},               {"ﾊﾟﾝ", "パン", true},
        {"ﾊﾞﾝ", "パン", false},            {"ｳﾞｧｲｵﾘﾝ", "ヴァイオリン", true}, {"ｶ", "ガ", false},
        {"歯医者 田中", "田中 歯医者", true}, {"歯医者", "歯医者 田中", false}, {"会議　田中", "田中　会議", true},
        {"Tanaka", "\"tanaka\"", false},    {"Tanaka", "\"Tanaka\"", true},   {"ﾀﾅｶ", "\"タナカ\"", false},
        {"会議 A室", "\"会議 A\"", true},   {"会議", "会議会議会議", false},  {"会議", "   　 ", false},
        {"表", "\\", false},                {"ソ", "\\", false},               {"表\\", "\\", true},
        {"ab", "≠", false},  // folded "ab" holds ≠'s code astride its characters
        {"ソ", "\"\\\"", false},            {"予定表", "表", true},            {"", "a", false},
    };
    for (const Case& c : cases) EXPECT_EQ(holdsAll(c.text, c.query), c.found) << c.text << " / " << c.query;
    EXPECT_TRUE(parseSearchQuery(" 　\t").empty());
}

TEST(SearchText, MatchesAreShownWhereTheyStand) {
    using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;
    EXPECT_EQ(searchMatches("ＡＢＣ会議ｶﾞｽ", parseSearchQuery("abc ガス")), (Ranges{{0, 6}, {10, 13}}));
    EXPECT_EQ(searchMatches("表\\表", parseSearchQuery("\\")), (Ranges{{2, 3}}));
    EXPECT_EQ(searchMatches("aAa", parseSearchQuery("\"A\" a")), (Ranges{{0, 1}, {1, 2}, {1, 2}, {2, 3}}));
    EXPECT_EQ(searchMatches("あｱア", parseSearchQuery("ああ")), (Ranges{{0, 3}, {2, 5}}));
    EXPECT_EQ(searchMatches("ﾞｶﾞ", parseSearchQuery("が")), (Ranges{{1, 3}}));
}

}  // namespace
}  // namespace tavo
