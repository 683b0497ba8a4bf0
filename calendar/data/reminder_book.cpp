#include "reminder_book.h"

#include "calendar/calc/holiday_table.h"

#include <algorithm>

#include "shared/date_math.h"

namespace tavo {
namespace {

bool kindReminds(ScheduleKind kind, const ReminderSettings& s) {
    switch (kind) {
        case kScheduleDay: return s.day;
        case kScheduleEveryYear: return s.year;
        case kScheduleEveryWeek: return s.week;
        default: return s.month;
    }
}

}  // namespace

void loadReminderSetup(ReminderSetup& setup, const FileSystem& files, const SettingsStore& store,
                       const std::string& programPath, const std::string& windowsFolder) {
    initPathDefaults(setup.paths, programPath, windowsFolder);
    loadFolderSettings(setup.paths, store);
    resetEnvironment(setup.env, setup.paths.programFolder);
    readEnvironment(setup.env, store);
    readReminderSettings(setup.settings, store);
    resetClosedDays(setup.closedDays);
    const ClosedDaysLoad load = loadClosedDays(setup.closedDays, files, setup.paths.programFolder, store);
    setup.problem = load.whole ? std::string() : joinPath(setup.paths.programFolder, kClosedDaysFile);
    // Schedules moved off closed days move as the calendar moves them: with
    // the government's table beside the data (a refused one is the calendar's to tell).
    useHolidayTable(readHolidayTable(files, setup.paths.scheduleFolder).table);
}

std::string reminderStateFile(const PathSettings& paths) { return joinPath(paths.scheduleFolder, "remind.dat"); }

void ReminderBook::load() {
    const FileContent file = files_.readFile(path_);
    problem_.clear();
    state_ = {};
    if (file.missing) return;
    if (!readWhole(file)) problem_ = path_ + ": " + (file.problem.empty() ? std::string(kProblemIncomplete) : file.problem);
    ReminderStateRead read = parseReminderState(completeLines(file));
    state_ = std::move(read.state);
    if (read.damagedLines > 0 && problem_.empty())
        problem_ = path_ + ": " + std::to_string(read.damagedLines) + "行を読めませんでした (その行は残してあります)";
}

void ReminderBook::refresh(const DataSources& sources, const ReminderSettings& settings, Minutes now) {
    load();
    entries_.clear();
    lead_ = reminderLead(settings);
    if (!settings.on) return;
    for (int serial : {serialDayAt(now), serialDayAt(now) + 1}) {
        int y, m, d;
        civilFromSerial(serial, y, m, d);
        for (TimedEntry& e : timedEntriesOf(sources, y, m, d))
            if (kindReminds(e.kind, settings)) entries_.push_back(std::move(e));
    }
}

std::vector<DueReminder> ReminderBook::due(Minutes now) const { return dueReminders(entries_, now, lead_, state_); }

std::optional<Minutes> ReminderBook::next(Minutes now) const { return nextReminderTime(entries_, now, lead_, state_); }

std::vector<DueReminder> ReminderBook::tell(Minutes now) {
    std::vector<DueReminder> told = due(now);
    std::erase_if(told, [&](const DueReminder& d) { return reminderShown(state_, d.entry); });
    // A state that cannot be written only means telling again after a restart.
    if (!told.empty()) save(now, [&](ReminderState& s) { for (const DueReminder& d : told) markReminderShown(s, d.entry); });
    return told;
}

SaveResult ReminderBook::dismiss(const TimedEntry& entry, Minutes now) {
    return save(now, [&](ReminderState& s) { dismissReminder(s, entry); });
}

SaveResult ReminderBook::snooze(const TimedEntry& entry, Minutes until, Minutes now) {
    return save(now, [&](ReminderState& s) { snoozeReminder(s, entry, until); });
}

SaveResult ReminderBook::save(Minutes now, const std::function<void(ReminderState&)>& change) {
    const SaveResult saved = rewriteFile(files_, path_, [&](std::string_view current) {
        ReminderStateRead read = parseReminderState(current);
        change(read.state);
        forgetRemindersBefore(read.state, serialDayAt(now) - 1);
        state_ = std::move(read.state);
        std::string text = formatReminderState(state_);
        for (const std::string& line : read.damaged) text.append(line).append("\r\n");
        return text;
    });
    if (!saved) change(state_);  // not written: this process still goes by it
    return saved;
}

}  // namespace tavo
