#include "shared/rokuyo.h"

#include <gtest/gtest.h>

#include "shared/date_math.h"

namespace tavo {
namespace {

TEST(Rokuyo, Examples) {
    struct Case {
        int y, m, d, rokuyo;
    } cases[] = {
        {2000, 1, 1, kTaian}, {2000, 1, 7, kShakko}, {2005, 12, 1, kSenbu}, {2005, 12, 2, kTaian},
        {2005, 12, 31, kShakko}, {1994, 1, 1, kShakko},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rokuyoOf(c.y, c.m, c.d), c.rokuyo) << c.y << "-" << c.m << "-" << c.d;
    }
    EXPECT_STREQ(rokuyoName(kTaian), "大安");
    EXPECT_STREQ(rokuyoName(kButsumetsu), "仏滅");
    EXPECT_STREQ(rokuyoName(-1), "  ");
}

TEST(Rokuyo, Coverage) {
    EXPECT_FALSE(insideLunarTable(1872));
    EXPECT_TRUE(insideLunarTable(1873));
    EXPECT_TRUE(insideLunarTable(2100));
    EXPECT_FALSE(insideLunarTable(2101));
    EXPECT_EQ(rokuyoOf(2101, 1, 1), -1);
    EXPECT_FALSE(insideLunarTable(-2147483647 - 1));
}

// The cycle advances by one a day and restarts only where a lunar month
// begins; lunar months are 29 or 30 days long, and the first days of
// consecutive lunar months step by one (or repeat, for a leap month).
TEST(Rokuyo, TableFollowsTheLunarCycle) {
    int previous = rokuyoOf(1994, 1, 1);
    int lastStart = -1, lastStartRokuyo = -1, starts = 0;
    for (int y = 1994; y <= 2020; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= monthLengthOf(y, m); ++d) {
                if (y == 1994 && m == 1 && d == 1) continue;
                const int r = rokuyoOf(y, m, d);
                ASSERT_GE(r, 0);
                ASSERT_LE(r, 5);
                if (r == (previous + 1) % 6) {
                    previous = r;
                    continue;
                }
                const int serial = serialDayOf(y, m, d);
                if (lastStart >= 0) {
                    const int length = serial - lastStart;
                    // A leap month that follows a 30-day month continues the cycle
                    // unseen, so two months can pass between visible starts.
                    EXPECT_TRUE(length == 29 || length == 30 || length == 59 || length == 60)
                        << y << "-" << m << "-" << d << ": " << length;
                    EXPECT_TRUE(r == lastStartRokuyo || r == (lastStartRokuyo + 1) % 6) << y << "-" << m << "-" << d;
                }
                lastStart = serial;
                lastStartRokuyo = r;
                previous = r;
                ++starts;
            }
        }
    }
    // 27 years hold about 334 lunar months, ten of them leap months.
    EXPECT_GE(starts, 320);
    EXPECT_LE(starts, 335);
}

}  // namespace
}  // namespace tavo
