#include "calendar/data/command_line.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

TEST(CommandLine, DatesItNames) {
    struct Case {
        const char* line;
        bool names;
        int y, m, d;
    } cases[] = {
        {"2005/07/09", true, 2005, 7, 9},      {"2005-07-09", true, 2005, 7, 9},
        {"\"2005/07/09\"", true, 2005, 7, 9},  {"C:\\data\\sch2005b.cal", true, 2005, 11, 1},
        {"sch2026C.cal", true, 2026, 12, 1},   {"\"D:\\ソ\\SCH20051.cal\"", true, 2005, 1, 1},
        {"20050709", false, 0, 0, 0},          {"", false, 0, 0, 0},
        {"hello world", false, 0, 0, 0},       {"C:\\data\\schedule.cal", false, 0, 0, 0},
        {"0000/07/09", false, 0, 0, 0},        {"sch2005z.cal", false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        CommandLineDate date;
        EXPECT_EQ(commandLineDate(c.line, date), c.names) << c.line;
        if (c.names) {
            EXPECT_EQ(date.year, c.y) << c.line;
            EXPECT_EQ(date.month, c.m) << c.line;
            EXPECT_EQ(date.day, c.d) << c.line;
        }
    }
}

}  // namespace
}  // namespace tavo
