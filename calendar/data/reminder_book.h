// The reminders of the process that reminds: the timed entries of today and
// tomorrow, what is due at a minute, when to wake next, and what the user did
// with them, kept in a small state file beside the data. Portable: the tray
// (or the calendar) sets a timer to next() and shows due().
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calendar/calc/closed_days.h"
#include "shared/window_settings.h"
#include "data_sources.h"
#include "path_settings.h"
#include "reminders.h"
#include "shared/file_system.h"
#include "shared/reminder_settings.h"

namespace tavo {

// The state file: in the schedule folder, beside the data it is about.
std::string reminderStateFile(const PathSettings& paths);

// What a reminding process reads for itself, as the calendar does: the
// folders, the reading switches, the closed days and the reminder settings.
struct ReminderSetup {
    PathSettings paths{};
    EnvironmentSettings env{};
    ClosedDays closedDays{};
    ReminderSettings settings{};
    std::string problem;  // the closed-day rules could not be read whole
    DataSources sources(const FileSystem& files) const { return {files, paths, closedDays, env}; }
};
// programPath: the calendar program's full path (its folder holds the rules).
void loadReminderSetup(ReminderSetup& setup, const FileSystem& files, const SettingsStore& store,
                       const std::string& programPath, const std::string& windowsFolder);

class ReminderBook {
public:
    ReminderBook(FileSystem& files, std::string statePath) : files_(files), path_(std::move(statePath)) {}

    // Reads the state file. One that cannot be read, or lines it cannot
    // understand, are told by problem(); reminders go on all the same.
    void load();
    const std::string& problem() const { return problem_; }

    // Reads the state again (another process may have marked entries), then
    // the entries of the day of now and the next (a lead may reach across
    // midnight), of the kinds the settings let remind; none when they are off.
    void refresh(const DataSources& sources, const ReminderSettings& settings, Minutes now);
    const std::vector<TimedEntry>& entries() const { return entries_; }

    std::vector<DueReminder> due(Minutes now) const;
    // The due reminders not told yet (balloon, sound), marked as told now:
    // after a restart they are shown again, but not told twice.
    std::vector<DueReminder> tell(Minutes now);
    std::optional<Minutes> next(Minutes now) const;

    // What the user did, written at once over what the file holds then (marks
    // of days before yesterday are dropped; lines it cannot read are kept).
    SaveResult dismiss(const TimedEntry& entry, Minutes now);
    SaveResult snooze(const TimedEntry& entry, Minutes until, Minutes now);

private:
    // Applies a change to the state as the file holds it now (another process
    // may have marked entries since it was read) and writes it.
    SaveResult save(Minutes now, const std::function<void(ReminderState&)>& change);

    FileSystem& files_;
    std::string path_;
    std::string problem_;
    ReminderState state_;
    std::vector<TimedEntry> entries_;
    int lead_ = 10;
};

}  // namespace tavo
