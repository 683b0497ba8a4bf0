// What reminds, how early and with which sound: the 通知 page's record.
#pragma once

#include <cstdint>

#include "settings_table.h"

namespace tavo {

class SettingsStore;

inline constexpr int kReminderSoundNone = 0, kReminderSoundSystem = 1, kReminderSoundFile = 2;

struct ReminderSettings {
    std::int32_t on;      // "on": reminders are shown (on)
    std::int32_t lead;    // "lead": minutes before the entry's time, 0..1440 (10)
    // The schedules that remind (all): "day", "year", "month", "week".
    std::int32_t day, year, month, week;
    std::int32_t sound;   // "sound": kReminderSound... (the system's notification sound)
    char soundPath[260];  // "wave": the WAV file of kReminderSoundFile
};
static_assert(sizeof(ReminderSettings) == 288);

// Key "remind".
const SettingsTable& reminderTable();
void readReminderSettings(ReminderSettings& settings, const SettingsStore& store);
// The lead as used: within 0..1440 whatever the registry holds.
int reminderLead(const ReminderSettings& settings);

}  // namespace tavo
