#include "sync_settings.h"

#include <cstddef>
#include <cstring>

namespace tavo {

const SettingsTable& syncTable() {
    static const SettingsTable table = {
        {"sync", "url", SettingType::Text, offsetof(SyncSettings, url), 0, sizeof(SyncSettings::url), ""},
        {"sync", "user", SettingType::Text, offsetof(SyncSettings, user), 0, sizeof(SyncSettings::user), ""},
        {"sync", "calendar", SettingType::Text, offsetof(SyncSettings, calendar), 0, sizeof(SyncSettings::calendar), ""},
        {"sync", "start", SettingType::Switch32, offsetof(SyncSettings, atStart), 0},
        {"sync", "every", SettingType::Int32, offsetof(SyncSettings, every), 0},
        {"sync", "webcal", SettingType::Text, offsetof(SyncSettings, subscriptions), 0, sizeof(SyncSettings::subscriptions), ""},
    };
    return table;
}

void readSyncSettings(SyncSettings& settings, const SettingsStore& store) {
    std::memset(&settings, 0, sizeof settings);
    resetSettings(&settings, syncTable());
    readSettings(&settings, syncTable(), store);
}

int syncInterval(const SyncSettings& settings) {
    constexpr int kMinutes[] = {0, 5, 15, 30, 60};
    return settings.every >= 0 && settings.every < 5 ? kMinutes[settings.every] : 0;
}

}  // namespace tavo
