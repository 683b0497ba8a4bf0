#include "icalendar_commands.h"

#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

#include "calendar/data/icalendar_export.h"
#include "calendar/data/icalendar_import.h"
#include "shared/clock.h"
#include "shared/cp932.h"
#include "shared/date_math.h"
#include "shared/windows_of_kind.h"

namespace tavo::shell {
namespace {

const wchar_t kFilter[] = L"iCalendar (*.ics)\0*.ics\0すべてのファイル (*.*)\0*.*\0";

void tellUser(const CalendarWindow& a, const std::wstring& text, UINT icon) {
    MessageBoxW(a.window, text.c_str(), L"Tavo", MB_OK | icon);
}

// A file chosen in the system's dialog, as a CP932 path; empty when cancelled
// or when the path cannot be written in code page 932 (then the user is told).
std::string chooseFile(CalendarWindow& a, bool saving, const std::wstring& suggested) {
    std::vector<wchar_t> file(MAX_PATH * 2, L'\0');
    suggested.copy(file.data(), std::min(suggested.size(), file.size() - 1));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = a.window;
    dialog.lpstrFilter = kFilter;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrDefExt = L"ics";
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                   (saving ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(saving ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return "";
    const std::wstring chosen = file.data();
    if (!unstorableInCp932(chosen).empty()) {
        tellUser(a, L"この場所の名前には Shift-JIS で書けない文字があるため, 使えません.\n" + chosen, MB_ICONWARNING);
        return "";
    }
    return wideToCp932(chosen);
}

std::wstring wideOfUtf8(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(n, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }

private:
    HCURSOR previous_;
};

DataSources sourcesOf(CalendarWindow& a) {
    const SharedSettings& s = a.shared();
    return {a.process.files, s.paths, s.closedDays, s.env};
}

}  // namespace

void exportICalendarFile(CalendarWindow& a) {
    const int year = a.selected.year();
    const std::string path = chooseFile(a, true, L"Tavo-" + std::to_wstring(year) + L".ics");
    if (path.empty()) return;
    std::string text;
    {
        WaitCursor wait;
        const LocalDate today = clockToday();
        text = exportICalendar({year, year, false, today}, sourcesOf(a));
    }
    if (!a.process.files.replaceFile(path, text)) {
        tellUser(a, L"iCalendar のファイルを書き出せませんでした.\n" + cp932ToWide(path), MB_ICONWARNING);
        return;
    }
    std::size_t events = 0;
    for (std::size_t at = 0; (at = text.find("BEGIN:VEVENT", at)) != std::string::npos; ++at) ++events;
    tellUser(a, std::to_wstring(year) + L" 年のデータを " + std::to_wstring(events) + L" 件の予定として書き出しました.\n" +
                    cp932ToWide(path), MB_ICONINFORMATION);
}

void importICalendarFile(CalendarWindow& a) {
    const int year = a.selected.year();
    const std::string path = chooseFile(a, false, L"");
    if (path.empty()) return;
    IcsImport result;
    {
        WaitCursor wait;
        const FileContent file = a.process.files.readFile(path);
        if (!file.opened || !file.complete) {
            tellUser(a, L"ファイルを読めませんでした.\n" + cp932ToWide(path) + L"\n" + cp932ToWide(file.problem), MB_ICONWARNING);
            return;
        }
        const IcsCalendar calendar = readICalendar(file.content);
        if (!calendar.problem.empty()) {
            tellUser(a, L"iCalendar のファイルではありません.\n" + cp932ToWide(path), MB_ICONWARNING);
            return;
        }
        result = importICalendar(a.process.files, a.shared().paths, calendar, serialDayOf(year, 1, 1), serialDayOf(year, 12, 31));
    }
    if (!result.unstorable.empty()) {
        tellUser(a, L"次の文字は Shift-JIS で保存できないため, 何も読み込みませんでした.\n" + wideOfUtf8(result.unstorable),
                 MB_ICONWARNING);
        return;
    }
    if (!result.saved) {
        tellUser(a, L"予定のファイルを保存できないため, 何も読み込みませんでした.\n" + cp932ToWide(result.saved.reason), MB_ICONWARNING);
        return;
    }
    refreshWindows(kRefreshedWindows, kRefreshData);
    tellUser(a, std::to_wstring(year) + L" 年の " + std::to_wstring(result.occurrences) + L" 件の予定のうち, " +
                    std::to_wstring(result.added) + L" 行を " + std::to_wstring(result.days) +
                    L" 日の予定に加えました.\n(すでにある予定は加えていません)",
             MB_ICONINFORMATION);
}

}  // namespace tavo::shell
