// 同期: the day schedules with the CalDAV calendar of the 同期 page and the
// calendars subscribed to fetched, on a thread of its own; a summary after a
// sync the user asked for, the status bar's word after any.
#pragma once

namespace tavo::shell {

class CalendarWindow;

void syncNow(CalendarWindow& a);
void syncQuietly(CalendarWindow& a);
// The copies of the calendars subscribed to, read again when the page's list changed (or `again`).
void loadSubscribed(CalendarWindow& a, bool again = false);
// The status bar's parts: the sync state on the right once a sync ran.
void showSyncState(CalendarWindow& a);

}  // namespace tavo::shell
