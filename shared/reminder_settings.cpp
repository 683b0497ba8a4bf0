#include "reminder_settings.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace tavo {

const SettingsTable& reminderTable() {
    static const SettingsTable table = {
        {"remind", "on", SettingType::Switch32, offsetof(ReminderSettings, on), 1},
        {"remind", "lead", SettingType::Int32, offsetof(ReminderSettings, lead), 10},
        {"remind", "day", SettingType::Switch32, offsetof(ReminderSettings, day), 1},
        {"remind", "year", SettingType::Switch32, offsetof(ReminderSettings, year), 1},
        {"remind", "month", SettingType::Switch32, offsetof(ReminderSettings, month), 1},
        {"remind", "week", SettingType::Switch32, offsetof(ReminderSettings, week), 1},
        {"remind", "sound", SettingType::Int32, offsetof(ReminderSettings, sound), kReminderSoundSystem},
        {"remind", "wave", SettingType::Text, offsetof(ReminderSettings, soundPath), 0, sizeof(ReminderSettings::soundPath), ""},
    };
    return table;
}

void readReminderSettings(ReminderSettings& settings, const SettingsStore& store) {
    std::memset(&settings, 0, sizeof settings);
    resetSettings(&settings, reminderTable());
    readSettings(&settings, reminderTable(), store);
}

int reminderLead(const ReminderSettings& settings) { return std::clamp(settings.lead, 0, 1440); }

}  // namespace tavo
