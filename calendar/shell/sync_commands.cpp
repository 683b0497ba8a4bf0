#include "sync_commands.h"

#include <algorithm>
#include <cwchar>

#include "calendar_window.h"
#include "progress.h"
#include "shared/clock.h"
#include "shared/cp932.h"
#include "shared/date_math.h"
#include "shared/windows_of_kind.h"
#include "sync/caldav.h"
#include "sync/http_winhttp.h"
#include "sync/subscription_fetch.h"
#include "sync/sync_engine.h"
#include "win/credentials.h"
#include "win/tell.h"

namespace tavo::shell {
namespace {

struct SyncRun {
    sync::SyncSummary summary;
    std::string calendar;  // the collection used (found from the URL when none was kept)
    int subscriptionsChanged = 0;
};

std::string credentialTarget(const SyncSettings& s) { return "Tavo/CalDAV/" + cp932ToUtf8(s.url); }

void syncAccount(const SyncSettings& s, FileSystem& files, const SharedSettings& shared, SyncRun& run) {
    const std::string user = cp932ToUtf8(s.user);
    sync::WinHttpClient http({user, win::storedPassword(credentialTarget(s), user).value_or("")});
    if (run.calendar.empty()) {
        const sync::Discovery found = sync::discoverCalendars(http, cp932ToUtf8(s.url));
        if (!found.problem.empty()) {
            run.summary.problem = found.problem;
            return;
        }
        run.calendar = found.calendars.front().url;
    }
    const LocalDate today = clockToday();
    const DataSources own{files, shared.paths, shared.closedDays, shared.env};
    run.summary = sync::syncCalendar(http, files, shared.paths,
                                     {run.calendar, serialDayOf(today.year - 1, 1, 1), serialDayOf(today.year + 1, 12, 31), &own});
}

// Each subscription fetched without the account: its copy changed or a problem noted.
void refreshSubscriptions(const SyncSettings& s, FileSystem& files, const PathSettings& paths, SyncRun& run) {
    sync::WinHttpClient anonymous({});
    for (const Subscription& subscription : parseSubscriptionList(s.subscriptions)) {
        const sync::SubscriptionRefresh r = sync::refreshSubscription(anonymous, files, paths, subscription);
        if (r.changed) ++run.subscriptionsChanged;
        if (!r.ok) run.summary.notes.push_back("購読カレンダーを更新できませんでした: " + r.problem);
    }
}

SyncRun runSync(const SyncSettings& s, FileSystem& files, const SharedSettings& shared) {
    SyncRun run{{}, cp932ToUtf8(s.calendar)};
    if (s.url[0] != '\0') syncAccount(s, files, shared, run);
    else run.summary.ok = true;
    refreshSubscriptions(s, files, shared.paths, run);
    return run;
}

std::wstring countsText(const sync::SideCounts& c) {
    return L"追加" + std::to_wstring(c.added) + L"件、変更" + std::to_wstring(c.changed) + L"件、削除" + std::to_wstring(c.deleted) + L"件";
}

std::wstring summaryText(const sync::SyncSummary& s, int subscriptionsChanged) {
    std::wstring text = s.ok ? L"同期しました。\n" : L"同期を最後までできませんでした: " + cp932ToWide(s.problem) + L"\n";
    text += L"このパソコン: " + countsText(s.here) + L"\nサーバー: " + countsText(s.server);
    if (subscriptionsChanged > 0) text += L"\n購読カレンダー: " + std::to_wstring(subscriptionsChanged) + L"件を更新しました";
    if (s.conflicts > 0) text += L"\n両方で変更されていた予定: " + std::to_wstring(s.conflicts) + L" (両方を残しました)";
    for (const std::string& note : s.notes) text += L"\n" + cp932ToWide(note);
    return text;
}

std::wstring stateText(const sync::SyncSummary& s) {
    if (!s.ok) return L"同期できません: " + cp932ToWide(s.problem);
    const int minute = minuteOfDayAt(clockNow());
    wchar_t text[32];
    swprintf(text, 32, L"同期 %d:%02d", minute / 60, minute % 60);
    return text;
}

// Runs the sync; false when there is nothing to sync with (told when `tell`).
bool sync(CalendarWindow& a, bool tell) {
    SyncSettings& s = a.shared().sync;
    if (s.url[0] == '\0' && s.subscriptions[0] == '\0') {
        if (tell) win::tellUser(a.window, L"同期するサーバーが設定されていません。\nオプションの「同期」ページで設定してください。", win::Tone::Information);
        return false;
    }
    Progress progress(a, L"同期しています...");
    const SyncRun run = progress.run([&](const IcsProgress&) { return runSync(s, a.process.files, a.shared()); });
    if (s.calendar[0] == '\0' && !run.calendar.empty() && run.summary.ok) {  // found once, kept
        setSettingText(&s, settingEntry(syncTable(), "sync", "calendar"), utf8ToCp932(run.calendar));
        writeSetting(&s, settingEntry(syncTable(), "sync", "calendar"), a.process.store);
    }
    if (run.subscriptionsChanged > 0) loadSubscribed(a, true);
    refreshWindows(kRefreshedWindows, kRefreshData);
    a.syncState = stateText(run.summary);
    showSyncState(a);
    if (tell) win::tellUser(a.window, summaryText(run.summary, run.subscriptionsChanged), run.summary.ok ? win::Tone::Information : win::Tone::Error);
    return true;
}

}  // namespace

void syncNow(CalendarWindow& a) { sync(a, true); }

void syncQuietly(CalendarWindow& a) { sync(a, false); }

namespace {

// As wide as its text in the bar's font, with the grip and the borders.
int syncPartWidth(const CalendarWindow& a) {
    HDC dc = GetDC(a.statusBar);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(a.statusBar, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, a.syncState.c_str(), static_cast<int>(a.syncState.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(a.statusBar, dc);
    return size.cx + GetSystemMetrics(SM_CXVSCROLL) + MulDiv(12, a.dpi, 96);
}

}  // namespace

void loadSubscribed(CalendarWindow& a, bool again) {
    const std::string list = a.shared().sync.subscriptions;
    if (!again && list == a.subscriptionList) return;
    a.subscriptionList = list;
    a.subscriptions = loadSubscriptions(a.process.files, a.shared().paths, parseSubscriptionList(list));
}

void showSyncState(CalendarWindow& a) {
    if (!a.statusBar) return;
    RECT r{};
    GetClientRect(a.statusBar, &r);
    const int parts[2] = {a.syncState.empty() ? -1 : r.right - std::min<int>(r.right / 2, syncPartWidth(a)), -1};
    SendMessageW(a.statusBar, SB_SETPARTS, a.syncState.empty() ? 1 : 2, reinterpret_cast<LPARAM>(parts));
    if (!a.syncState.empty()) SendMessageW(a.statusBar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(a.syncState.c_str()));
}

}  // namespace tavo::shell
