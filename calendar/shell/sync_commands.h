// 同期: the day schedules with the CalDAV calendar of the 同期 page, on a
// thread of its own; a summary after a sync the user asked for, the status
// bar's word after one the timer or the start ran.
#pragma once

namespace tavo::shell {

class CalendarWindow;

void syncNow(CalendarWindow& a);
void syncQuietly(CalendarWindow& a);
// The status bar's parts: the sync state on the right once a sync ran.
void showSyncState(CalendarWindow& a);

}  // namespace tavo::shell
