// Every settings record through its table: an empty store gives exactly the
// defaults and writes nothing, every value written reads back, values of the
// wrong type and over-long strings give the default.
#include "shared/settings_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "calendar/calc/closed_days.h"
#include "calendar/data/path_settings.h"
#include "calendar/data/personal_days.h"
#include "calendar/data/shared_settings.h"
#include "calendar/data/settings_tables.h"
#include "calendar/text/date_format_set.h"
#include "shared/memory_settings_store.h"
#include "shared/window_settings.h"

namespace tavo {
namespace {

constexpr DesignMetrics kMetrics{19, 15};

using Record = SettingsRecordTable;

std::vector<Record> everyRecord() { return allSettingsTables(kMetrics); }

using Bytes = std::vector<unsigned char>;

Bytes resetRecord(const Record& r) {
    Bytes b(r.bytes, 0);
    resetSettings(b.data(), r.table);
    return b;
}

Bytes readRecord(const Record& r, const MemorySettingsStore& store) {
    Bytes b = resetRecord(r);
    readSettings(b.data(), r.table, store);
    return b;
}

// A value unlike the default for every entry: numbers, flipped switches,
// Japanese text, colour lists without a gap.
void setDistinct(Bytes& b, const SettingEntry& s, int i) {
    unsigned char* field = b.data() + s.offset;
    switch (s.type) {
        case SettingType::Int32: {
            const std::int32_t v = 1000 + i;
            std::memcpy(field, &v, 4);
            break;
        }
        case SettingType::Switch32: {
            const std::int32_t v = s.defaultValue ? 0 : 1;
            std::memcpy(field, &v, 4);
            break;
        }
        case SettingType::Switch8: *field = s.defaultValue ? 0 : 1; break;
        case SettingType::Text: {
            const std::string text = "値" + std::to_string(i);
            std::memset(field, 0, s.bytes);
            std::memcpy(field, text.data(), text.size());
            break;
        }
        case SettingType::ColourList:
            for (int k = 0; k < kColourListEntries; ++k) {
                const std::int32_t v = 100 * i + k;
                std::memcpy(field + s.bytes * static_cast<std::size_t>(k), &v, 4);
            }
            break;
    }
}

std::size_t fieldBytes(const SettingEntry& s) {
    switch (s.type) {
        case SettingType::Switch8: return 1;
        case SettingType::Text: return s.bytes;
        default: return 4;
    }
}

// Whether the entry's field (all six entries of a list) equals in both records.
bool sameField(const Bytes& a, const Bytes& b, const SettingEntry& s) {
    const int count = s.type == SettingType::ColourList ? kColourListEntries : 1;
    const std::size_t stride = s.type == SettingType::ColourList ? s.bytes : 0;
    for (int k = 0; k < count; ++k) {
        const std::size_t at = s.offset + stride * static_cast<std::size_t>(k);
        if (std::memcmp(a.data() + at, b.data() + at, fieldBytes(s)) != 0) return false;
    }
    return true;
}

TEST(SettingsTable, EmptyStoreGivesExactlyTheDefaultsAndWritesNothing) {
    for (const Record& r : everyRecord()) {
        MemorySettingsStore store;
        EXPECT_EQ(readRecord(r, store), resetRecord(r)) << r.name;
        EXPECT_EQ(store.valueCount(), 0u) << r.name;
    }
}

TEST(SettingsTable, EveryValueReadsBack) {
    for (const Record& r : everyRecord()) {
        Bytes written = resetRecord(r);
        for (std::size_t i = 0; i < r.table.size(); ++i) setDistinct(written, r.table[i], static_cast<int>(i));
        MemorySettingsStore store;
        writeSettings(written.data(), r.table, store);
        const Bytes back = readRecord(r, store);
        const Bytes defaults = resetRecord(r);
        for (const SettingEntry& s : r.table) {
            if (s.readBack) EXPECT_TRUE(sameField(back, written, s)) << r.name << " " << s.key << "\\" << s.name;
            else EXPECT_TRUE(sameField(back, defaults, s)) << r.name << " " << s.key << "\\" << s.name;
        }
    }
}

// One entry alone, as a window stores a switch it flips: only that value is
// written, and reading it alone changes only that field of the record.
TEST(SettingsTable, OneEntryAloneTouchesOnlyItsValue) {
    for (const Record& r : everyRecord()) {
        for (std::size_t i = 0; i < r.table.size(); ++i) {
            const SettingEntry& s = r.table[i];
            Bytes written = resetRecord(r);
            setDistinct(written, s, static_cast<int>(i));
            MemorySettingsStore store;
            writeSetting(written.data(), s, store);
            if (s.type != SettingType::ColourList) {
                EXPECT_EQ(store.valueCount(), 1u) << r.name << " " << s.name;
            }
            Bytes back = resetRecord(r);
            readSetting(back.data(), s, store);
            EXPECT_EQ(back, s.readBack ? written : resetRecord(r)) << r.name << " " << s.key << "\\" << s.name;
        }
    }
}

TEST(SettingsTable, WrongTypesAndOverlongStringsGiveTheDefault) {
    for (const Record& r : everyRecord()) {
        MemorySettingsStore store;
        for (const SettingEntry& s : r.table) {
            if (s.type == SettingType::Text) store.set(s.key, s.name, std::string(260, 'x'));
            else if (s.type == SettingType::ColourList) store.set(s.key, s.name + "0", std::string("1"));
            else store.set(s.key, s.name, MemorySettingsStore::OtherType{{1, 0, 0, 0}});
        }
        EXPECT_EQ(readRecord(r, store), resetRecord(r)) << r.name;
    }
}

TEST(SettingsTable, KeysAreOpenedOncePerRunAndNamesAreUnique) {
    for (const Record& r : everyRecord()) {
        std::vector<std::string> seenKeys, seenValues;
        for (std::size_t i = 0; i < r.table.size(); ++i) {
            const SettingEntry& s = r.table[i];
            if (i == 0 || r.table[i - 1].key != s.key) {
                // A key comes back after another only if nothing was left out of its run.
                EXPECT_EQ(std::count(seenKeys.begin(), seenKeys.end(), s.key), 0) << r.name << " " << s.key;
                seenKeys.push_back(s.key);
            }
            const std::string full = s.key + "\\" + s.name;
            EXPECT_EQ(std::count(seenValues.begin(), seenValues.end(), full), 0) << r.name << " " << full;
            seenValues.push_back(full);
            EXPECT_LE(s.offset + fieldBytes(s), r.bytes) << r.name << " " << full;
            EXPECT_EQ(findSetting(r.table, s.key, s.name), &s);
        }
    }
}

TEST(SettingsTable, ColourListsEndAtTheFirstGap) {
    struct Case {
        const char* builtIn;
        std::vector<std::pair<int, int>> stored;  // entry, value
        std::vector<int> expected;
    } const cases[] = {
        {"00000001 00000002 00000003 -1", {}, {1, 2, 3, -1, -1, -1}},
        {"00000001 00000002 00000003 -1", {{3, 9}}, {1, 2, 3, 9, -1, -1}},
        {"00000001 00000002 00000003 -1", {{1, -1}, {2, 7}}, {1, -1, -1, -1, -1, -1}},
        {"-1", {{0, 5}}, {-1, -1, -1, -1, -1, -1}},  // an empty built-in list is never read
        {"00000001 00000002 00000003 00000004 00000005 00000006", {{5, -1}}, {1, 2, 3, 4, 5, -1}},
    };
    for (const Case& c : cases) {
        const SettingsTable table = {{"k", "colorbn", SettingType::ColourList, 0, 0, 4, c.builtIn}};
        MemorySettingsStore store;
        for (const auto& [k, v] : c.stored) store.set("k", "colorbn" + std::to_string(k), v);
        std::int32_t list[6];
        resetSettings(list, table);
        readSettings(list, table, store);
        EXPECT_EQ(std::vector<int>(list, list + 6), c.expected) << c.builtIn;
        MemorySettingsStore written;
        writeSettings(list, table, written);
        const auto ends = std::find(c.expected.begin(), c.expected.end(), -1);
        const std::size_t stored = ends == c.expected.end() ? 6 : static_cast<std::size_t>(ends - c.expected.begin()) + 1;
        EXPECT_EQ(written.valueCount(), stored) << c.builtIn;  // up to and including the first -1
    }
}

}  // namespace
}  // namespace tavo

namespace tavo {
namespace {

// What an options page does to a record: change values through their entries,
// then Cancel (all back, nothing written) or OK (every value written).
TEST(SettingsPage, CancelRestoresEverythingAndOkWritesEverything) {
    EnvironmentSettings env{};
    resetEnvironment(env, "C:\\Tavo");
    const SettingsTable& table = environmentTable();
    const SettingEntry* sav = findSetting(table, "env", "sav");
    const SettingEntry* cdt = findSetting(table, "env", "cdt");
    const SettingEntry* sound = findSetting(table, "env", "bwavepath");
    ASSERT_TRUE(sav && cdt && sound);
    const EnvironmentSettings before = env;

    RecordSnapshot snapshot(&env, sizeof env);
    EXPECT_FALSE(snapshot.changed());
    setSettingNumber(&env, *sav, !settingNumber(&env, *sav));
    setSettingNumber(&env, *cdt, 2);
    setSettingText(&env, *sound, std::string(300, 'x'));  // longer than the field
    EXPECT_EQ(settingText(&env, *sound).size(), sound->bytes - 1);
    EXPECT_EQ(settingNumber(&env, *cdt), 2);
    EXPECT_TRUE(snapshot.changed());
    MemorySettingsStore store;
    EXPECT_TRUE(snapshot.restore());
    EXPECT_EQ(std::memcmp(&env, &before, sizeof env), 0);
    EXPECT_FALSE(snapshot.restore());

    setSettingNumber(&env, *cdt, 2);
    setSettingText(&env, *sound, "C:\\音\\誕生日.mid");
    writeSettings(&env, table, store);
    EnvironmentSettings back{};
    resetEnvironment(back, "C:\\Tavo");
    readSettings(&back, table, store);
    EXPECT_EQ(settingNumber(&back, *cdt), 2);
    EXPECT_EQ(settingText(&back, *sound), "C:\\音\\誕生日.mid");
}

}  // namespace
}  // namespace tavo
