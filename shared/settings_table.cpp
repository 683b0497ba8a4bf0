#include "settings_table.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "cp932.h"
#include "settings_store.h"

namespace tavo {
namespace {

char* at(void* record, std::size_t offset) { return static_cast<char*>(record) + offset; }
const char* at(const void* record, std::size_t offset) { return static_cast<const char*>(record) + offset; }

std::int32_t loadInt32(const char* field) {
    std::int32_t v;
    std::memcpy(&v, field, 4);
    return v;
}

std::string_view fieldText(const char* field, std::size_t bytes) {
    const void* end = std::memchr(field, 0, bytes);
    return {field, end ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : bytes};
}

void storeInt32(char* field, std::int32_t v) { std::memcpy(field, &v, 4); }

void storeInt(char* field, SettingType type, int value) {
    switch (type) {
        case SettingType::Int32: storeInt32(field, value); break;
        case SettingType::Switch32: storeInt32(field, value != 0); break;
        case SettingType::Switch8: *field = static_cast<char>(value != 0); break;
        case SettingType::Text:
        case SettingType::ColourList: break;
    }
}

int loadInt(const char* field, SettingType type) {
    if (type == SettingType::Switch8) return static_cast<unsigned char>(*field);
    return loadInt32(field);
}

std::string listEntryName(const SettingEntry& s, int k) { return s.name + std::to_string(k); }

void storeList(char* field, std::size_t stride, const int (&list)[kColourListEntries]) {
    for (int k = 0; k < kColourListEntries; ++k) storeInt32(field + stride * static_cast<std::size_t>(k), list[k]);
}

void resetEntry(void* record, const SettingEntry& s) {
    char* field = at(record, s.offset);
    if (s.type == SettingType::Text) {
        // The whole field is written, so equal settings are equal records.
        if (s.defaultText) copyToField(field, s.bytes, s.defaultText);
    } else if (s.type == SettingType::ColourList) {
        int list[kColourListEntries];
        parseColourListInto(s.defaultText ? s.defaultText : "-1", list);
        storeList(field, s.bytes, list);
    } else {
        storeInt(field, s.type, s.defaultValue);
    }
}

void readList(char* field, const SettingEntry& s, const SettingsReader& reader) {
    if (s.defaultText == nullptr || s.defaultText[0] == '-') return;  // stays empty
    int list[kColourListEntries];
    parseColourListInto(s.defaultText, list);
    bool ended = false;
    for (int k = 0; k < kColourListEntries; ++k) {
        if (!ended) list[k] = reader.readInt(listEntryName(s, k), list[k]);
        else list[k] = -1;
        ended = ended || list[k] == -1;
    }
    storeList(field, s.bytes, list);
}

void readEntry(void* record, const SettingEntry& s, const SettingsReader& reader) {
    char* field = at(record, s.offset);
    switch (s.type) {
        case SettingType::Text:
            copyToField(field, s.bytes, reader.readString(s.name, fieldText(field, s.bytes)));
            break;
        case SettingType::ColourList: readList(field, s, reader); break;
        default: storeInt(field, s.type, reader.readInt(s.name, s.defaultValue)); break;
    }
}

void writeEntry(const void* record, const SettingEntry& s, SettingsWriter& writer) {
    const char* field = at(record, s.offset);
    switch (s.type) {
        case SettingType::Text: writer.writeString(s.name, fieldText(field, s.bytes)); break;
        case SettingType::ColourList:
            // Up to and including the first -1; the rest is never read.
            for (int k = 0; k < kColourListEntries; ++k) {
                const std::int32_t c = loadInt32(field + s.bytes * static_cast<std::size_t>(k));
                writer.writeInt(listEntryName(s, k), c);
                if (c == -1) break;
            }
            break;
        default: writer.writeInt(s.name, loadInt(field, s.type)); break;
    }
}

}  // namespace

void resetSettings(void* record, const SettingsTable& table) {
    for (const SettingEntry& s : table) resetEntry(record, s);
}

// Entries of one key stand together, so each key is opened once per run.
void readSettings(void* record, const SettingsTable& table, const SettingsStore& store) {
    std::unique_ptr<SettingsReader> reader;
    const std::string* openKey = nullptr;
    for (const SettingEntry& s : table) {
        if (!s.readBack) continue;
        if (openKey == nullptr || *openKey != s.key) {
            reader = store.openForReading(s.key);
            openKey = &s.key;
        }
        readEntry(record, s, *reader);
    }
}

void writeSettings(const void* record, const SettingsTable& table, SettingsStore& store) {
    std::unique_ptr<SettingsWriter> writer;
    const std::string* openKey = nullptr;
    for (const SettingEntry& s : table) {
        if (openKey == nullptr || *openKey != s.key) {
            writer = store.createForWriting(s.key);
            openKey = &s.key;
        }
        writeEntry(record, s, *writer);
    }
}

void readSetting(void* record, const SettingEntry& entry, const SettingsStore& store) {
    if (entry.readBack) readEntry(record, entry, *store.openForReading(entry.key));
}

void writeSetting(const void* record, const SettingEntry& entry, SettingsStore& store) {
    writeEntry(record, entry, *store.createForWriting(entry.key));
}

const SettingEntry& settingEntry(const SettingsTable& table, std::string_view key, std::string_view name) {
    const SettingEntry* entry = findSetting(table, key, name);
    if (entry == nullptr) std::abort();
    return *entry;
}

const SettingEntry* findSetting(const SettingsTable& table, std::string_view key, std::string_view name) {
    for (const SettingEntry& s : table)
        if (s.key == key && s.name == name) return &s;
    return nullptr;
}

void parseColourListInto(std::string_view text, int (&list)[kColourListEntries]) {
    bool ended = false;
    for (int k = 0; k < kColourListEntries; ++k) {
        const std::size_t start = static_cast<std::size_t>(k) * 9;
        if (ended || start >= text.size()) {
            list[k] = -1;
            ended = true;
            continue;
        }
        const std::string entry(text.substr(start, 8));
        list[k] = static_cast<int>(std::strtol(entry.c_str(), nullptr, 10));
        ended = list[k] == -1;
    }
}

int settingNumber(const void* record, const SettingEntry& entry) { return loadInt(at(record, entry.offset), entry.type); }

void setSettingNumber(void* record, const SettingEntry& entry, int value) { storeInt(at(record, entry.offset), entry.type, value); }

std::string settingText(const void* record, const SettingEntry& entry) {
    return std::string(fieldText(at(record, entry.offset), entry.bytes));
}

void setSettingText(void* record, const SettingEntry& entry, std::string_view text) {
    copyToField(at(record, entry.offset), entry.bytes, text);
}

RecordSnapshot::RecordSnapshot(void* record, std::size_t bytes)
    : record_(record), saved_(static_cast<const char*>(record), static_cast<const char*>(record) + bytes) {}

bool RecordSnapshot::changed() const { return std::memcmp(record_, saved_.data(), saved_.size()) != 0; }

bool RecordSnapshot::restore() {
    const bool was = changed();
    std::memcpy(record_, saved_.data(), saved_.size());
    return was;
}

}  // namespace tavo
