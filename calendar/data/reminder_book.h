// The reminders of the process that reminds: the timed entries of today and
// tomorrow, what is due at a minute, when to wake next, and what the user did
// with them, kept in a small state file beside the data. Portable: the tray
// (or the calendar) sets a timer to next() and shows due().
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "reminders.h"
#include "shared/file_system.h"
#include "shared/reminder_settings.h"

namespace tavo {

// The state file: in the schedule folder, beside the data it is about.
std::string reminderStateFile(const PathSettings& paths);

class ReminderBook {
public:
    ReminderBook(FileSystem& files, std::string statePath) : files_(files), path_(std::move(statePath)) {}

    // Reads the state file. One that cannot be read, or lines it cannot
    // understand, are told by problem(); reminders go on all the same.
    void load();
    const std::string& problem() const { return problem_; }

    // The entries of the day of now and the next (a lead may reach across
    // midnight), of the kinds the settings let remind; none when they are off.
    void refresh(const DataSources& sources, const ReminderSettings& settings, Minutes now);
    const std::vector<TimedEntry>& entries() const { return entries_; }

    std::vector<DueReminder> due(Minutes now) const;
    std::optional<Minutes> next(Minutes now) const;

    // What the user did, written at once (marks of days before yesterday are
    // dropped; lines of the file it could not read are kept as they were).
    SaveResult dismiss(const TimedEntry& entry, Minutes now);
    SaveResult snooze(const TimedEntry& entry, Minutes until, Minutes now);

private:
    SaveResult save(Minutes now);

    FileSystem& files_;
    std::string path_;
    std::string problem_;
    ReminderState state_;
    std::vector<std::string> unread_;  // lines of the state file it could not read
    std::vector<TimedEntry> entries_;
    int lead_ = 10;
};

}  // namespace tavo
