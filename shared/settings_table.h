// One table per settings record: for every value its registry key, name,
// type, place in the record and default. Resetting, reading and writing a
// record all come from its table, and the options pages bind their controls
// to its entries.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

class SettingsStore;

enum class SettingType {
    Int32,       // a 32-bit number
    Switch32,    // 32-bit, stored in memory as 0 or 1
    Switch8,     // one byte, 0 or 1
    Text,        // NUL-terminated CP932 text in a field of `bytes` bytes
    ColourList,  // six 32-bit colours `bytes` apart, ending at the first -1
};

struct SettingEntry {
    std::string key;   // subkey under the program's root, e.g. "cstyle"
    std::string name;  // value name; for a colour list the prefix of "%s%d"
    SettingType type;
    std::size_t offset;
    int defaultValue = 0;
    std::size_t bytes = 0;
    // Text: the default (nullptr: whatever the record holds after its own
    // reset). ColourList: the built-in list; one beginning with '-' is never read.
    const char* defaultText = nullptr;
    bool readBack = true;  // false: written, never read
};

using SettingsTable = std::vector<SettingEntry>;

inline constexpr int kColourListEntries = 6;

void resetSettings(void* record, const SettingsTable& table);
void readSettings(void* record, const SettingsTable& table, const SettingsStore& store);
void writeSettings(const void* record, const SettingsTable& table, SettingsStore& store);
// One entry of a record read or written alone (a switch a window flips, a
// corner stored when a dialog closes); the rest of the record is untouched.
void readSetting(void* record, const SettingEntry& entry, const SettingsStore& store);
void writeSetting(const void* record, const SettingEntry& entry, SettingsStore& store);

// One value of a record, through its entry (what the options pages bind their
// controls to). Texts are cut to the field at a character boundary.
int settingNumber(const void* record, const SettingEntry& entry);
void setSettingNumber(void* record, const SettingEntry& entry, int value);
std::string settingText(const void* record, const SettingEntry& entry);
void setSettingText(void* record, const SettingEntry& entry, std::string_view text);

// A record as it was when an options page opened: Cancel puts it back.
class RecordSnapshot {
public:
    RecordSnapshot(void* record, std::size_t bytes);
    bool changed() const;
    // Puts the record back; true when anything had changed.
    bool restore();
    const void* original() const { return saved_.data(); }

private:
    void* record_;
    std::vector<char> saved_;
};

// The entry of a value, or nullptr.
const SettingEntry* findSetting(const SettingsTable& table, std::string_view key, std::string_view name);
// The entry of a value the table is known to hold (a programming error otherwise).
const SettingEntry& settingEntry(const SettingsTable& table, std::string_view key, std::string_view name);

// Lists as stored: "%08d" entries, one blank apart, parsed at a stride of 9;
// entries after the first -1 are -1.
void parseColourListInto(std::string_view text, int (&list)[kColourListEntries]);

}  // namespace tavo
