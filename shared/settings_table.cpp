#include "settings_table.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "cp932.h"
#include "settings_store.h"

namespace tavo {
namespace {

char* at(void* record, std::size_t offset) { return static_cast<char*>(record) + offset; }
const char* at(const void* record, std::size_t offset) { return static_cast<const char*>(record) + offset; }

// The whole field is written, so equal settings are equal records.
void setText(char* field, std::string_view text) { copyToField(field, kSettingsStringBytes, text); }

void storeInt(char* field, SettingType type, int value) {
    switch (type) {
        case SettingType::Int32: std::memcpy(field, &value, 4); break;
        case SettingType::Switch32: {
            const std::int32_t v = value != 0;
            std::memcpy(field, &v, 4);
            break;
        }
        case SettingType::Switch8: *field = static_cast<char>(value != 0); break;
        case SettingType::Text260: break;
    }
}

int loadInt(const char* field, SettingType type) {
    if (type == SettingType::Switch8) return static_cast<unsigned char>(*field);
    std::int32_t v;
    std::memcpy(&v, field, 4);
    return v;
}

}  // namespace

void resetSettings(void* record, std::span<const SettingSpec> table) {
    for (const SettingSpec& s : table) storeInt(at(record, s.offset), s.type, s.defaultValue);
}

void readSettings(void* record, std::span<const SettingSpec> table, const SettingsStore& store, const char* key) {
    const auto reader = store.openForReading(key);
    for (const SettingSpec& s : table) {
        char* field = at(record, s.offset);
        if (s.type == SettingType::Text260) setText(field, reader->readString(s.name, field));
        else storeInt(field, s.type, reader->readInt(s.name, s.defaultValue));
    }
}

void writeSettings(const void* record, std::span<const SettingSpec> table, SettingsStore& store, const char* key) {
    const auto writer = store.createForWriting(key);
    for (const SettingSpec& s : table) {
        const char* field = at(record, s.offset);
        if (s.type == SettingType::Text260) writer->writeString(s.name, field);
        else writer->writeInt(s.name, loadInt(field, s.type));
    }
}

}  // namespace tavo
