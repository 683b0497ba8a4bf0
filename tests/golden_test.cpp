// tavocal month and range over the sample data folder, against checked-in outputs.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/commands.h"

namespace tavo::cli {
namespace {

const std::string kData = TAVO_TEST_DATA_DIR;

std::string golden(const std::string& name) {
    std::ifstream file(kData + "/golden/" + name, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(Golden, MonthAndRangeOutputs) {
    struct Case {
        std::vector<std::string> words;
        const char* file;
    } cases[] = {
        {{"month", "2026-12"}, "month-2026-12.txt"},
        {{"month", "2019-05"}, "month-2019-05.txt"},
        {{"range", "2026-12-07", "--before", "5", "--after", "30"}, "range-2026-12-07-relative.txt"},
        {{"range", "2026-12-27", "--type", "2", "--monday"}, "range-2026-12-27-week-monday.txt"},
        {{"range", "2026-12-07", "--type", "1"}, "range-2026-12-month.txt"},
    };
    for (Case& c : cases) {
        c.words.insert(c.words.end(), {"--dir", kData + "/sample", "--today", "2026-12-07"});
        std::ostringstream out, err;
        EXPECT_EQ(run(c.words, out, err), 0) << c.file << err.str();
        const std::string expected = golden(c.file);
        ASSERT_FALSE(expected.empty()) << c.file;
        EXPECT_EQ(out.str(), expected) << c.file;
    }
}

TEST(Golden, BadArgumentsAreRefused) {
    const std::vector<std::vector<std::string>> cases = {
        {"month"}, {"month", "2026-13"}, {"month", "1582-09"}, {"range"}, {"range", "2026-12-07", "--type", "3"},
        {"range", "2026-12-07", "--before", "100"}, {"range", "2026-12-07", "--after", "-1"},
    };
    for (const auto& words : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(run(words, out, err), 2) << words.back();
        EXPECT_EQ(out.str(), "");
    }
}

}  // namespace
}  // namespace tavo::cli
