#include "reminder_book.h"

#include <algorithm>

#include "shared/date_math.h"

namespace tavo {
namespace {

bool kindReminds(ScheduleKind kind, int kinds) {
    switch (kind) {
        case kScheduleDay: return kinds & kReminderKindDay;
        case kScheduleEveryYear: return kinds & kReminderKindYear;
        case kScheduleEveryWeek: return kinds & kReminderKindWeek;
        default: return kinds & kReminderKindMonth;
    }
}

}  // namespace

std::string reminderStateFile(const PathSettings& paths) { return joinPath(paths.scheduleFolder, "remind.dat"); }

void ReminderBook::load() {
    const FileContent file = files_.readFile(path_);
    problem_.clear();
    state_ = {};
    unread_.clear();
    if (file.missing) return;
    if (!readWhole(file)) problem_ = path_ + ": " + (file.problem.empty() ? std::string(kProblemIncomplete) : file.problem);
    ReminderStateRead read = parseReminderState(completeLines(file));
    state_ = std::move(read.state);
    unread_ = std::move(read.damaged);
    if (read.damagedLines > 0 && problem_.empty())
        problem_ = path_ + ": " + std::to_string(read.damagedLines) + " 行を読めませんでした (その行は残してあります)";
}

void ReminderBook::refresh(const DataSources& sources, const ReminderSettings& settings, Minutes now) {
    entries_.clear();
    lead_ = reminderLead(settings);
    if (!settings.on) return;
    for (int serial : {serialDayAt(now), serialDayAt(now) + 1}) {
        int y, m, d;
        civilFromSerial(serial, y, m, d);
        for (TimedEntry& e : timedEntriesOf(sources, y, m, d))
            if (kindReminds(e.kind, settings.kinds)) entries_.push_back(std::move(e));
    }
}

std::vector<DueReminder> ReminderBook::due(Minutes now) const { return dueReminders(entries_, now, lead_, state_); }

std::optional<Minutes> ReminderBook::next(Minutes now) const { return nextReminderTime(entries_, now, lead_, state_); }

SaveResult ReminderBook::dismiss(const TimedEntry& entry, Minutes now) {
    dismissReminder(state_, entry);
    return save(now);
}

SaveResult ReminderBook::snooze(const TimedEntry& entry, Minutes until, Minutes now) {
    snoozeReminder(state_, entry, until);
    return save(now);
}

SaveResult ReminderBook::save(Minutes now) {
    forgetRemindersBefore(state_, serialDayAt(now) - 1);
    std::string text = formatReminderState(state_);
    for (const std::string& line : unread_) text.append(line).append("\r\n");
    return rewriteFile(files_, path_, [&](std::string_view) { return text; });
}

}  // namespace tavo
