// The system locale under Wine with LANG=ja_JP.UTF-8: the Japanese user locale.
#include <gtest/gtest.h>

#include "calendar/text/date_pattern.h"
#include "calendar/text/windows_locale.h"
#include "shared/cp932.h"

namespace tavo {
namespace {

TEST(WindowsLocale, JapaneseSeparatorAndWeekdayNames) {
    const WindowsLocale locale;
    EXPECT_EQ(locale.dateSeparator(), "/");
    const char* const abbreviated[7] = {"日", "月", "火", "水", "木", "金", "土"};
    for (int w = 0; w < 7; ++w) {
        EXPECT_EQ(locale.abbreviatedWeekday(w), abbreviated[w]) << w;
        EXPECT_EQ(locale.fullWeekday(w), std::string(abbreviated[w]) + "曜日") << w;
    }
    EXPECT_EQ(locale.fullMonth(12), "12月");
    EXPECT_EQ(locale.abbreviatedWeekday(7), "");
}

TEST(WindowsLocale, PatternsUseTheLocale) {
    const WindowsLocale locale;
    DayDate d = dayDate(2000, 1, 2);
    d.weekday = 0;
    EXPECT_EQ(formatDatePattern("mm/dd(dddd)", d, locale), "01/02(日曜日)");
    EXPECT_FALSE(formatDatePattern("DATE", d, locale).empty());
}

}  // namespace
}  // namespace tavo
