#include "calendar/data/section_file.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

#include "shared/memory_file_system.h"
#include "shared/native_file_system.h"
#include "temp_folder.h"

namespace tavo {
namespace {

const std::string kDecember = ":3\r\nfirst of the 3rd\r\nsecond of the 3rd\r\n:24\r\nイブ\r\n";

TEST(SectionFile, ReadsTheSectionOfAKey) {
    struct Case {
        std::string content;
        int key;
        std::string text;
    } cases[] = {
        {kDecember, 3, "first of the 3rd\r\nsecond of the 3rd\r\n"},
        {kDecember, 24, "イブ\r\n"},
        {kDecember, 4, ""},
        {kDecember, 30, ""},
        {"", 1, ""},
        {": +7\r\na\r\n:-1\r\nb\r\n", 7, "a\r\n"},       // blanks and a sign before the key
        {":x\r\nzero\r\n:5\r\nfive\r\n", 0, ""},  // no digits: no section, the user's own lines
        {":3\r\n\r\n\r\nend\r\n", 3, "\r\n\r\nend\r\n"},  // empty lines are kept
        {":3\r\nlast\x1A", 3, "last"},
        {":3\r\nkept\r\n\x1A\r\n:4\r\nfour\r\n", 4, "four\r\n"},  // only a trailing Ctrl-Z ends the file
        {":3\r\nkept\r\n\x1A\r\n:4\r\nfour\r\n", 3, "kept\r\n\x1A\r\n"},
        {":3\ra\r:4\rb\r", 4, "b\r"},                       // CR-only line ends
        {":3\na\n:3\r\nb", 3, "a\nb"},                       // duplicates read as one text
        {":3\r\n" + std::string(5000, 'x') + "\r\n", 3, std::string(5000, 'x') + "\r\n"},
        {":" + std::string(40, '0') + "3\r\nlong header\r\n", 3, "long header\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(readSection(c.content, c.key), c.text) << c.content.substr(0, 20);
}

TEST(SectionFile, ReplacesOneSectionAndKeepsTheRest) {
    struct Case {
        std::string content;
        int key;
        std::string text, result;
    } cases[] = {
        {kDecember, 15, "mid\r\n", ":3\r\nfirst of the 3rd\r\nsecond of the 3rd\r\n:15\r\nmid\r\n:24\r\nイブ\r\n"},
        {kDecember, 30, "end", kDecember + ":30\r\nend\r\n"},
        {kDecember, 3, "new", ":3\r\nnew\r\n:24\r\nイブ\r\n"},
        {kDecember, 24, "", ":3\r\nfirst of the 3rd\r\nsecond of the 3rd\r\n"},
        {":3\r\nonly\r\n", 3, "", ""},
        {"note before\r\n:3\r\nx\r\n", 1, "one", "note before\r\n:1\r\none\r\n:3\r\nx\r\n"},
        {":3\r\nkept\r\n\x1A\r\n:4\r\nfour\r\n", 5, "five", ":3\r\nkept\r\n\x1A\r\n:4\r\nfour\r\n:5\r\nfive\r\n"},
        {":3\r\nno line end", 4, "four", ":3\r\nno line end\r\n:4\r\nfour\r\n"},
        {"", 2, ":colon\r\n:again", ":2\r\n\x81\x46" "colon\r\n\x81\x46" "again\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(replaceSection(c.content, c.key, c.text), c.result) << c.key;
}

TEST(SectionFile, ALeadingColonRoundTripsAsText) {
    const std::string text = ":10 会議\r\nnormal\r\n:\r\n";
    const std::string content = replaceSection(kDecember, 5, text);
    EXPECT_EQ(readSection(content, 5), "：10 会議\r\nnormal\r\n：\r\n");
    EXPECT_EQ(readSection(content, 24), "イブ\r\n");
    EXPECT_EQ(readSection(content, 10), "");
}

TEST(SectionFile, MemoContent) {
    EXPECT_EQ(memoContent(""), "");
    EXPECT_EQ(memoContent("a\r\nb"), "a\r\nb\r\n");
    EXPECT_EQ(memoContent(":not a header\r\n"), ":not a header\r\n");
}

// A window saves over a section that changed since it read it: what only
// one side changed is kept as changed, what both changed is kept twice,
// the other side's lines marked.
TEST(SectionFile, ASaveOverAnOutsideChangeKeepsBoth) {
    struct Case {
        const char *base, *mine, *theirs, *saved;
        bool merged, conflict;
    } const cases[] = {
        {"a\r\nb\r\n", "a\r\nb\r\nmine\r\n", "a\r\nb\r\n", "a\r\nb\r\nmine\r\n", false, false},  // nothing outside
        {"a\r\nb\r\n", "A\r\nb\r\n", "a\r\nb\r\ntheirs\r\n", "A\r\nb\r\ntheirs\r\n", true, false},  // apart
        {"a\nb", "a\r\nb", "a\r\nB\r\n", "a\r\nB\r\n", true, false},                                         // line ends alone are no change
        {"a\r\n", "a\r\nmine\r\n", "a\r\ntheirs\r\n", "a\r\nmine\r\n【競合】theirs\r\n", true, true},  // both added
        {"a\r\nb\r\n", "a\r\nmine\r\n", "a\r\n", "a\r\nmine\r\n", true, true},                              // removed and changed
        {"", "mine\r\n", "theirs\r\n", "mine\r\n【競合】theirs\r\n", true, true},                               // both new
        {"a\r\n", "a\r\nsame\r\n", "a\r\nsame\r\n", "a\r\nsame\r\n", true, false},                         // the same change
    };
    PathSettings paths{};
    initPathDefaults(paths, "C:\\Tavo\\Tavo.exe", "C:\\Windows");
    for (ScheduleKind kind : {kScheduleDay, kScheduleMemo})
        for (const Case& c : cases) {
            MemoryFileSystem files;
            const SchedulePlace place = schedulePlace(paths, kind, 2026, 12, 24);
            const std::string other = ":1\r\nother day\r\n";
            files.files[place.path] = kind == kScheduleMemo ? std::string(c.theirs) : other + ":24\r\n" + c.theirs;
            const ScheduleSave save = saveScheduleText(files, place, c.base, c.mine);
            ASSERT_TRUE(save.saved) << c.mine;
            EXPECT_EQ(readScheduleText(files, place).text, c.saved) << kind << " " << c.mine;
            EXPECT_EQ(save.text, c.saved) << c.mine;
            EXPECT_EQ(save.merged, c.merged) << c.mine;
            EXPECT_EQ(save.conflict, c.conflict) << c.mine;
            EXPECT_TRUE(kind == kScheduleMemo || readSection(files.files[place.path], 1) == "other day\r\n");
        }
}

class SectionFilesOnDisk : public ::testing::Test {
protected:
    void SetUp() override { initPathDefaults(paths, folder.path() + "\\Tavo.exe", "C:\\Windows"); }
    test::TempFolder folder;
    NativeFileSystem files;
    PathSettings paths{};
};

TEST_F(SectionFilesOnDisk, WritingRewritesOnlyTheSection) {
    const std::string tail = ":24\r\nイブ\r\n" + std::string("\xff\xfe raw bytes \x81\r\n") + ":31\r\n大晦日\r\n";
    folder.write("sch2005c.cal", ":3\r\nold\r\n" + tail);
    ASSERT_TRUE(writeScheduleText(files, paths, kScheduleDay, 2005, 12, 3, "new\r\nlines"));
    EXPECT_EQ(folder.read("sch2005c.cal"), ":3\r\nnew\r\nlines\r\n" + tail);
    EXPECT_EQ(readScheduleText(files, paths, kScheduleDay, 2005, 12, 24).text, "イブ\r\n\xff\xfe raw bytes \x81\r\n");
}

TEST_F(SectionFilesOnDisk, EmptiedFilesAreDeleted) {
    ASSERT_TRUE(writeScheduleText(files, paths, kScheduleEveryWeek, 2026, 12, 6, "日曜の予定"));
    EXPECT_EQ(folder.read("schedulw.cal"), ":0\r\n日曜の予定\r\n");
    EXPECT_EQ(readScheduleText(files, paths, kScheduleEveryWeek, 2026, 12, 13).text, "日曜の予定\r\n");
    ASSERT_TRUE(writeScheduleText(files, paths, kScheduleEveryWeek, 2026, 12, 20, ""));
    EXPECT_FALSE(folder.exists("schedulw.cal"));
    ASSERT_TRUE(writeScheduleText(files, paths, kScheduleMemo, 2026, 1, 1, "memo"));
    EXPECT_EQ(readScheduleText(files, paths, kScheduleMemo, 2026, 1, 1).text, "memo\r\n");
    ASSERT_TRUE(writeScheduleText(files, paths, kScheduleMemo, 2026, 1, 1, ""));
    EXPECT_FALSE(folder.exists("memo.cal"));
    EXPECT_TRUE(writeScheduleText(files, paths, kScheduleDay, 2026, 1, 1, ""));  // nothing to remove
}

TEST_F(SectionFilesOnDisk, NoScratchFilesAreLeftBehind) {
    for (int day = 1; day <= 5; ++day) ASSERT_TRUE(writeScheduleText(files, paths, kScheduleDay, 2026, 12, day, "x"));
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        ++count;
        EXPECT_EQ(entry.path().filename(), "sch2026c.cal");
    }
    EXPECT_EQ(count, 1);
}

#ifndef _WIN32  // a full disk is made with the POSIX file-size limit
// A disk that fills up while the scratch file is written: the old file stays.
TEST_F(SectionFilesOnDisk, AFailedScratchWriteLeavesTheOldFileIntact) {
    const std::string old = ":3\r\nkeep me\r\n";
    folder.write("sch2005c.cal", old);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = !!writeScheduleText(files, paths, kScheduleDay, 2005, 12, 4, std::string(1000, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(written);
    EXPECT_EQ(folder.read("sch2005c.cal"), old);
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) ++count;
    EXPECT_EQ(count, 1);  // the scratch file is gone too
}
#endif

class HalfReadFiles final : public FileSystem {
public:
    FileContent readFile(const std::string&) const override { return {true, false, ":3\r\npart", false, {}}; }
    bool replaceFile(const std::string&, std::string_view) override {
        replaced = true;
        return true;
    }
    bool removeFile(const std::string&) override { return true; }
    bool replaced = false;
};

TEST_F(SectionFilesOnDisk, AFileThatCouldNotBeReadWholeIsNotRewritten) {
    HalfReadFiles half;
    EXPECT_FALSE(writeScheduleText(half, paths, kScheduleDay, 2005, 12, 4, "x"));
    EXPECT_FALSE(half.replaced);
}

}  // namespace
}  // namespace tavo

namespace tavo {
namespace {

// What the editor shows: every kind of line end as CR LF, nothing else touched.
TEST(WithCrLf, EveryLineEndBecomesCrLf) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"", ""}, {"a", "a"}, {"a\r\n", "a\r\n"}, {"a\nb\n", "a\r\nb\r\n"}, {"a\rb", "a\r\nb"},
        {"a\r\r\nb\n\r", "a\r\n\r\nb\r\n\r\n"}, {"予定\n", "予定\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(withCrLf(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace tavo
