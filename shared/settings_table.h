// One table per registry key: value name, type, place in the record and
// default. Reading, writing and resetting a record all come from its table.
#pragma once

#include <cstddef>
#include <span>

namespace tavo {

class SettingsStore;

enum class SettingType {
    Int32,     // a 32-bit number
    Switch32,  // 32-bit, stored in memory as 0 or 1
    Switch8,   // one byte, 0 or 1
    Text260,   // 260-byte CP932 text; its default is what the record holds
};

struct SettingSpec {
    const char* name;
    SettingType type;
    std::size_t offset;
    int defaultValue;
};

void resetSettings(void* record, std::span<const SettingSpec> table);
void readSettings(void* record, std::span<const SettingSpec> table, const SettingsStore& store, const char* key);
void writeSettings(const void* record, std::span<const SettingSpec> table, SettingsStore& store, const char* key);

}  // namespace tavo
