#include "calendar/data/personal_days.h"

#include <gtest/gtest.h>

#include "shared/memory_file_system.h"

#include "shared/memory_settings_store.h"
#include "shared/native_file_system.h"
#include "temp_folder.h"

namespace tavo {
namespace {

TEST(PersonalDays, FileFormat) {
    const std::vector<PersonalEntry> entries = {{5, 1980, "Taro"}, {12, 0, "花子"}, {12, 2001, ":colon"}};
    const std::string text = formatPersonalDays(entries);
    EXPECT_EQ(text, ": 5 1980\r\nTaro\r\n:12\r\n花子\r\n:12 2001\r\n\x81\x46" "colon\r\n");
    const std::vector<PersonalEntry> back = parsePersonalDays(text);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0], entries[0]);
    EXPECT_EQ(back[1], entries[1]);
    EXPECT_EQ(back[2].name, "：colon");  // never read back as a header
}

TEST(PersonalDays, HandEditedFilesAreReadSafely) {
    const std::vector<PersonalEntry> e =
        parsePersonalDays("junk\r\n:3\r\n:4 1999\r\nfour\r\n:7x\r\n" + std::string(600, 'n') + "\r\n:9 2000\x1A");
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[0].day, 3);
    EXPECT_EQ(e[0].name, "");
    EXPECT_EQ(e[1].year, 1999);
    EXPECT_EQ(e[2].year, 0);
    EXPECT_EQ(e[2].name.size(), 600u);
    EXPECT_EQ(e[3].year, 2000);
    // Written back, the long name is cut to 253 bytes, never in a character.
    std::vector<PersonalEntry> kanji = {{1, 0, ""}};
    for (int i = 0; i < 200; ++i) kanji[0].name += "表";
    const std::string line = formatPersonalDays(kanji).substr(5);
    EXPECT_EQ(line.size(), 252u + 2u);
    EXPECT_EQ(parsePersonalDays(formatPersonalDays({{2, 0, "a\r\nb"}}))[0].name, "a  b");
}

TEST(PersonalDays, AddAndRemoveKeepTheDayOrder) {
    std::vector<PersonalEntry> e;
    addPersonalEntry(e, {12, 0, "b"});
    addPersonalEntry(e, {3, 0, "a"});
    addPersonalEntry(e, {12, 0, "c"});
    addPersonalEntry(e, {31, 0, "d"});
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[0].name, "a");
    EXPECT_EQ(e[1].name, "b");
    EXPECT_EQ(e[2].name, "c");
    EXPECT_EQ(entriesOfDay(e, 12).size(), 2u);
    EXPECT_TRUE(removePersonalEntry(e, 12, 1));
    EXPECT_EQ(entriesOfDay(e, 12)[0].name, "b");
    EXPECT_FALSE(removePersonalEntry(e, 12, 1));
    EXPECT_FALSE(removePersonalEntry(e, 4, 0));
}

TEST(PersonalDays, TextsSeenFromAYear) {
    struct Case {
        PersonalDayKind kind;
        PersonalEntry entry;
        int month, seenFrom, style;
        const char* text;
    } cases[] = {
        {kBirthday, {5, 1980, "Taro"}, 3, 2005, 0, "Taro 25歳の誕生日(昭和55年生まれ)"},
        {kBirthday, {5, 1980, "Taro"}, 3, 2005, 1, "Taro 25歳の誕生日(S55年生まれ)"},
        {kBirthday, {5, 1980, "Taro"}, 3, 2005, 2, "Taro 25歳の誕生日(1980年生まれ)"},
        {kBirthday, {5, 1990, "Jiro"}, 3, 2005, 0, "Jiro 15歳の誕生日(平成 2年生まれ)"},
        {kBirthday, {12, 0, "花子"}, 3, 2005, 0, "花子 の誕生日"},
        {kAnniversary, {1, 2019, "結婚"}, 5, 2026, 0, "結婚 7周年記念日(令和 1年)"},
        {kAnniversary, {1, 0, "創立"}, 5, 2026, 0, "創立 記念日"},
        {kBirthday, {29, 2000, "閏"}, 2, 2026, 2, "閏 26歳の誕生日(2000年生まれ)"},
        {kBirthday, {1, 2030, "未来"}, 1, 2026, 2, "未来 -4歳の誕生日(2030年生まれ)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(personalEntryText(c.kind, c.entry, c.month, c.seenFrom, c.style), c.text) << c.text;
}

TEST(PersonalDays, FilesOnDisk) {
    test::TempFolder folder;
    NativeFileSystem files;
    PathSettings paths{};
    initPathDefaults(paths, folder.path() + "\\Tavo.exe", "C:\\Windows");
    EXPECT_TRUE(readPersonalDays(files, paths, kAnniversary, 10).empty());
    ASSERT_TRUE(addPersonalDay(files, paths, kAnniversary, 10, {1, 2000, "x"}));
    EXPECT_EQ(folder.read("aniversa.cal"), ": 1 2000\r\nx\r\n");
    EXPECT_EQ(readPersonalDays(files, paths, kAnniversary, 10).size(), 1u);
    ASSERT_TRUE(removePersonalDay(files, paths, kAnniversary, 10, {1, 2000, "x"}, 0).saved);
    EXPECT_FALSE(folder.exists("aniversa.cal"));
}

// A delete goes by what the entry says, in the file as it is now: after an
// outside edit the selected entry is the one removed, or none when it is gone.
TEST(PersonalDays, RemovalGoesByContent) {
    struct Case {
        const char* now;  // the file when 削除 is pressed
        int year;
        const char* name;  // of the entry selected on the 5th
        int n;
        const char* after;
        bool gone;
    } const cases[] = {
        {": 5\r\nBob\r\n: 5\r\nAlice\r\n", 0, "Bob", 0, ": 5\r\nAlice\r\n", false},  // listed as Alice, Bob
        {": 5\r\nAlice\r\n", 0, "Bob", 0, ": 5\r\nAlice\r\n", true},                   // Bob removed outside
        {": 5 1990\r\nBob\r\n", 0, "Bob", 0, ": 5 1990\r\nBob\r\n", true},             // another Bob
        {": 5\r\nX\r\n: 6\r\nX\r\n: 5\r\nX\r\n", 0, "X", 1, ": 5\r\nX\r\n: 6\r\nX\r\n", false},
    };
    PathSettings paths{};
    initPathDefaults(paths, "C:\\Tavo\\Tavo.exe", "C:\\Windows");
    for (const Case& c : cases) {
        MemoryFileSystem files;
        const std::string path = personalDayFile(paths, kBirthday, 3);
        files.files[path] = c.now;
        const PersonalRemoval removal = removePersonalDay(files, paths, kBirthday, 3, {5, c.year, c.name}, c.n);
        EXPECT_TRUE(removal.saved) << c.now;
        EXPECT_EQ(removal.gone, c.gone) << c.now;
        EXPECT_EQ(files.files[path], c.after) << c.now;
    }
}

// What the birthday window lists: that day's entries in file order, and
// whether the month file may be rewritten.
TEST(PersonalDays, EntriesOfADay) {
    MemoryFileSystem files;
    PathSettings paths{};
    initPathDefaults(paths, "C:\\Tavo\\Tavo.exe", "C:\\Windows");
    const std::string path = personalDayFile(paths, kBirthday, 3);
    files.files[path] = ": 1\r\na\r\n: 5 1980\r\n太郎\r\n:20\r\nb\r\n: 5\r\n花子\r\n";
    DayEntries day = readDayEntries(files, paths, kBirthday, 3, 5);
    const std::vector<PersonalEntry> expected = {{5, 1980, "太郎"}, {5, 0, "花子"}};
    EXPECT_EQ(day.entries, expected);
    EXPECT_TRUE(day.writable);
    EXPECT_TRUE(readDayEntries(files, paths, kBirthday, 4, 5).writable);  // no file yet
    for (MemoryFileSystem::Fault fault : {MemoryFileSystem::Fault::CannotOpen, MemoryFileSystem::Fault::ShortRead,
                                          MemoryFileSystem::Fault::NotAFile}) {
        files.faults[path] = fault;
        day = readDayEntries(files, paths, kBirthday, 3, 5);
        EXPECT_FALSE(day.writable);
        EXPECT_FALSE(day.problem.empty());
        EXPECT_FALSE(addPersonalDay(files, paths, kBirthday, 3, {5, 0, "x"}));
    }
}

class CountingSound final : public BirthdaySound {
public:
    void play() override { ++plays; }
    int plays = 0;
};

TEST(PersonalDays, BirthdaySoundPlaysOnceADay) {
    MemorySettingsStore store;
    CountingSound sound;
    EXPECT_FALSE(birthdaySoundDue(store, {2026, 12, 7}, false, sound));
    EXPECT_TRUE(birthdaySoundDue(store, {2026, 12, 7}, true, sound));
    EXPECT_FALSE(birthdaySoundDue(store, {2026, 12, 7}, true, sound));
    EXPECT_EQ(std::get<std::string>(*store.find("date", "birth")), "20261207");
    EXPECT_TRUE(birthdaySoundDue(store, {2026, 12, 8}, true, sound));
    store.refuseKey("date");
    MemorySettingsStore refusing;
    refusing.refuseKey("date");
    EXPECT_TRUE(birthdaySoundDue(refusing, {2026, 12, 8}, true, sound));
    EXPECT_TRUE(birthdaySoundDue(refusing, {2026, 12, 8}, true, sound));  // nothing stored: plays again
    EXPECT_EQ(sound.plays, 4);
}

}  // namespace
}  // namespace tavo
