#include "calendar/text/date_pattern.h"

#include <gtest/gtest.h>

#include "calendar/text/locale_info.h"
#include "day_dates.h"

namespace tavo {
namespace {

DayDate dateWithOffset(int y, int m, int d, int fromToday) { return test::dayWithOffset(y, m, d, fromToday); }

// A locale with another separator and no alternate calendar.
class PlainLocale final : public LocaleInfo {
public:
    std::string dateSeparator() const override { return "-."; }
    std::string abbreviatedWeekday(int w) const override { return std::string("SMTWTFS").substr(w, 1); }
    std::string fullWeekday(int w) const override { return "Day" + std::to_string(w); }
    std::string abbreviatedMonth(int m) const override { return std::string("M").append(std::to_string(m)); }
    std::string fullMonth(int m) const override { return "Month" + std::to_string(m); }
    bool alternateEra(int, int, int, std::string&, int&) const override { return false; }
    std::string longDate(int, int, int) const override { return "LONG"; }
    std::string shortDate(int, int, int) const override { return "SHORT"; }
};

const JapaneseLocale japanese;

TEST(DatePattern, FullLanguage) {
    const DayDate jan2 = dateWithOffset(2000, 1, 2, 2);  // a Sunday, today 31 December 1999
    struct Case {
        const char* pattern;
        const char* text;
    } cases[] = {
        {"yyyy年(ggY年)m月", "2000年(平成12年)1月"},
        {"yyyy年(ggY年)m月d日(dddd) RR [N]", "2000年(平成12年)1月2日(日曜日) 赤口 [+2]"},
        {"mm/dd", "01/02"},
        {"", ""},
        {"yyy", "00y"},
        {"yyyyy", "2000y"},
        {"y", "y"},
        {"ggggY", "平成12"},
        {"gY", "平12"},
        {"YYYY", "0012"},
        {"ddd aaa dddd aaaa aa", "日 日 日曜日 日曜日 aa"},
        {"dddddd", "日曜日02"},  // longest first: dddd then dd
        {"mmm|mmmm", "1|1月"},
        {"R RR RRR", "R 赤口 赤口R"},
        {"\"yyyy\"yyyy", "yyyy2000"},
        {"a\"\"b", "ab"},
        {"\"open yyyy", "open yyyy"},
        {"DATE LDATE", "2000/01/02 2000年1月2日"},
        {"ソ表能d", "ソ表能2"},  // second bytes 0x5C are not separators or tokens
        {"\x83\x64", "\x83\x64"},  // a character whose second byte is 'd'
        {"\x83", ""},              // half a character is never written
    };
    for (const Case& c : cases) EXPECT_EQ(formatDatePattern(c.pattern, jan2, japanese), c.text) << c.pattern;
}

TEST(DatePattern, OffsetsAndOutsideTheLunarTable) {
    EXPECT_EQ(formatDatePattern("N", dateWithOffset(2026, 12, 7, 0), japanese), "+0");
    EXPECT_EQ(formatDatePattern("N", dateWithOffset(2026, 12, 4, -3), japanese), "-3");
    EXPECT_EQ(formatDatePattern("[RR]", dateWithOffset(1872, 5, 5, 0), japanese), "[    ]");
    EXPECT_EQ(formatDatePattern("ggY", dateWithOffset(2026, 12, 7, 0), japanese), "令和8");
}

TEST(DatePattern, LocaleWithoutEras) {
    PlainLocale plain;
    const DayDate d = dateWithOffset(2000, 1, 2, 0);
    EXPECT_EQ(formatDatePattern("mm/dd", d, plain), "01-.02");
    EXPECT_EQ(formatDatePattern("(ggYY)", d, plain), "(YY)");
    EXPECT_EQ(formatDatePattern("mmmm ddd", d, plain), "Month1 S");
}

TEST(DatePattern, RestrictedLanguages) {
    const DayDate d = dateWithOffset(2000, 1, 2, 2);
    EXPECT_EQ(formatYearMonthPattern("yyyy/mm d ddd RR N DATE gY", d, japanese), "2000/01 d ddd RR N DATE 平12");
    EXPECT_EQ(formatWeekdayPattern("(ddd)/dddd yyyy \"d\"", 6, japanese), "(土)/土曜日 yyyy d");
    EXPECT_EQ(formatWeekdayPattern("aaa", 0, japanese), "日");
}

TEST(DatePattern, LongResultsAreCutAtACharacterBoundary) {
    const DayDate d = dateWithOffset(2000, 1, 2, 0);
    const std::string many(130, 'N');  // each N gives "+0": 260 bytes
    EXPECT_EQ(formatDatePattern(many, d, japanese).size(), 259u);
    std::string kanji;
    for (int i = 0; i < 130; ++i) kanji += "表";
    const std::string cut = formatDatePattern("d" + kanji, d, japanese);  // 1 + 260 bytes
    EXPECT_EQ(cut.size(), 259u);
    EXPECT_EQ(cut.substr(cut.size() - 2), "表");
    EXPECT_EQ(fitDateText("ab表", 4), "ab");
}

}  // namespace
}  // namespace tavo
