#include "icalendar_commands.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <string>
#include <vector>

#include "calendar/data/icalendar_export.h"
#include "calendar/data/icalendar_import.h"
#include "calendar/data/section_file.h"
#include "shared/clock.h"
#include "shared/cp932.h"
#include "shared/date_math.h"
#include "resources/tavo_ids.h"
#include "shared/windows_of_kind.h"
#include "win/dialog.h"
#include "win/file_dialog.h"
#include "progress.h"
#include "win/tell.h"

namespace tavo::shell {
namespace {

const wchar_t kFilter[] = L"iCalendar (*.ics)\0*.ics\0すべてのファイル (*.*)\0*.*\0";

void tellUser(const CalendarWindow& a, const std::wstring& text, win::Tone tone) { win::tellUser(a.window, text, tone); }

// A file chosen in the system's dialog, as a CP932 path; empty when cancelled
// or when the path cannot be used (then the user is told).
std::string chooseFile(CalendarWindow& a, bool saving, const std::wstring& suggested) {
    return win::chooseFile({a.window, kFilter, L"", suggested, saving, L"ics", 0});
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

// --- The span of years ---

// A series expanded over centuries would only fill the disk; the command line allows as much.
constexpr int kMostImportYears = 20;

struct Span {
    const wchar_t* title;
    int from, to;
    int mostYears;  // 0: any span
};

bool readYear(HWND dialog, int id, int& year) {
    BOOL ok = FALSE;
    const UINT value = GetDlgItemInt(dialog, id, &ok, FALSE);
    if (!ok || value <= static_cast<UINT>(kFirstYear) || value >= static_cast<UINT>(kLastYear)) return false;
    year = static_cast<int>(value);
    return true;
}

void confirmSpan(Span& span, HWND dialog) {
    int from = 0, to = 0;
    const bool fromOk = readYear(dialog, IDC_ICS_FROM, from), toOk = readYear(dialog, IDC_ICS_TO, to);
    const bool tooLong = span.mostYears > 0 && fromOk && toOk && to - from >= span.mostYears;
    if (fromOk && toOk && from <= to && !tooLong) {
        span.from = from;
        span.to = to;
        EndDialog(dialog, IDOK);
        return;
    }
    const std::wstring text =
        tooLong ? L"一度に読み込める期間は" + std::to_wstring(span.mostYears) + L"年までです。"
                : L"期間には" + std::to_wstring(kFirstYear + 1) + L"年から" + std::to_wstring(kLastYear - 1) +
                      L"年までの年を、始めの年が終わりの年より後にならないように入れてください。";
    win::tellUser(dialog, text);
    const HWND wrong = GetDlgItem(dialog, fromOk ? IDC_ICS_TO : IDC_ICS_FROM);
    SetFocus(wrong);
    SendMessageW(wrong, EM_SETSEL, 0, -1);
}

class SpanDialog final : public win::Dialog {
public:
    explicit SpanDialog(Span& span) : span_(span) {}

private:
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM) override {
        if (message == WM_INITDIALOG) {
            SetWindowTextW(dialog, span_.title);
            for (const auto& [spin, year] : {std::pair{IDC_ICS_FROM_SPIN, span_.from}, std::pair{IDC_ICS_TO_SPIN, span_.to}}) {
                SendDlgItemMessageW(dialog, spin, UDM_SETRANGE32, kFirstYear + 1, kLastYear - 1);
                SendDlgItemMessageW(dialog, spin, UDM_SETPOS32, 0, year);
            }
            return TRUE;
        }
        if (message != WM_COMMAND) return FALSE;
        if (LOWORD(wParam) == IDOK) confirmSpan(span_, dialog);
        else if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
        else return FALSE;
        return TRUE;
    }
    Span& span_;
};

// The years the user chooses, the selected date's year offered; false when cancelled.
bool chooseSpan(CalendarWindow& a, const wchar_t* title, int mostYears, Span& span) {
    span = {title, a.selected.year(), a.selected.year(), mostYears};
    return SpanDialog(span).runModal(a.process.instance, L"ICSSPANDLG", a.window) == IDOK;
}

std::wstring spanText(const Span& span) {
    if (span.from == span.to) return std::to_wstring(span.from) + L"年";
    return std::to_wstring(span.from) + L"年から" + std::to_wstring(span.to) + L"年まで";
}

std::wstring refusalText(const IcsImport& result) {
    const std::wstring nothing = L"何も読み込みませんでした。\n";
    switch (result.refused) {
        case IcsRefusal::TooManyLines:
            return L"予定が" + std::to_wstring(kMostImportedLines) + L"行を超えるため、" + nothing + L"期間を短くして読み込んでください。";
        case IcsRefusal::LineTooLong:
            return L"1行が" + std::to_wstring(kScheduleTextBytes) + L"バイトを超える予定があるため、" + nothing +
                   wideOfUtf8(result.longLine) + L"...";
        case IcsRefusal::TooManyBytes:
            return L"予定の文字が" + std::to_wstring(kMostImportedBytes >> 20) + L"MBを超えるため、" + nothing +
                   L"期間を短くして読み込んでください。";
        case IcsRefusal::None: break;
    }
    return {};
}

// A calendar file larger than this is not read at all: a phone's calendar of
// many years is a few megabytes.
constexpr DWORD kMostIcsFileBytes = 64u << 20;

bool tooLargeToImport(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!GetFileAttributesExW(cp932ToWide(path).c_str(), GetFileExInfoStandard, &info)) return false;  // told when read
    return info.nFileSizeHigh > 0 || info.nFileSizeLow > kMostIcsFileBytes;
}

DataSources sourcesOf(CalendarWindow& a) {
    const SharedSettings& s = a.shared();
    return {a.process.files, s.paths, s.closedDays, s.env};
}

}  // namespace

void exportICalendarFile(CalendarWindow& a) {
    Span span{};
    if (!chooseSpan(a, L"iCalendar 書き出しの期間", 0, span)) return;
    const std::wstring suggested = span.from == span.to ? std::to_wstring(span.from)
                                                        : std::to_wstring(span.from) + L"-" + std::to_wstring(span.to);
    const std::string path = chooseFile(a, true, L"Tavo-" + suggested + L".ics");
    if (path.empty()) return;
    IcsExport exported;
    {
        WaitCursor wait;
        Progress progress(a, L"iCalendar に書き出しています...");
        const LocalDate today = clockToday();
        const ReminderSettings& remind = a.shared().reminders;
        const int alarm = remind.on ? reminderLead(remind) : -1;  // phones remind as Tavo does
        exported = progress.run([&](const IcsProgress& tell) {
            return exportICalendar({span.from, span.to, false, today, tell, alarm}, sourcesOf(a));
        });
    }
    if (exported.text.empty()) {
        tellUser(a, L"書き出しを中止しました。ファイルは作っていません。", win::Tone::Information);
        return;
    }
    if (!a.process.files.replaceFile(path, exported.text)) {
        tellUser(a, L"iCalendar のファイルを書き出せませんでした。\n" + cp932ToWide(path), win::Tone::Warning);
        return;
    }
    std::size_t events = 0;
    for (std::size_t at = 0; (at = exported.text.find("BEGIN:VEVENT", at)) != std::string::npos; ++at) ++events;
    const std::wstring skipped = exported.skipped > 0 ? L"\nありえない日付（9999年より後、平年の2月29日など）の誕生日・記念日" +
                                                            std::to_wstring(exported.skipped) + L"件は書き出していません。"
                                                      : std::wstring();
    tellUser(a, spanText(span) + L"のデータを" + std::to_wstring(events) + L"件の予定として書き出しました。\n" +
                    cp932ToWide(path) + skipped, win::Tone::Information);
}

void importICalendarFile(CalendarWindow& a) {
    Span span{};
    if (!chooseSpan(a, L"iCalendar 読み込みの期間", kMostImportYears, span)) return;
    const std::string path = chooseFile(a, false, L"");
    if (path.empty()) return;
    if (tooLargeToImport(path)) {
        tellUser(a, L"ファイルが" + std::to_wstring(kMostIcsFileBytes >> 20) + L"MBを超えるため、読み込みませんでした。\n" +
                        cp932ToWide(path),
                 win::Tone::Warning);
        return;
    }
    IcsImport result;
    IcsCalendar calendar;
    int held = 0;
    {
        WaitCursor wait;
        const FileContent file = a.process.files.readFile(path);
        if (!file.opened || !file.complete) {
            tellUser(a, L"ファイルを読めませんでした。\n" + cp932ToWide(path) + L"\n" + cp932ToWide(file.problem), win::Tone::Warning);
            return;
        }
        Progress progress(a, L"iCalendar から読み込んでいます...");
        progress.run([&](const IcsProgress& tell) {
            calendar = readICalendar(file.content);
            if (!calendar.problem.empty()) return false;
            const IcsCalendar fresh = withoutEventsHeld(calendar, span.from, span.to, sourcesOf(a), held);
            result = importICalendar(a.process.files, a.shared().paths, fresh, serialDayOf(span.from, 1, 1),
                                     serialDayOf(span.to, 12, 31), tell);
            return true;
        });
    }
    if (!calendar.problem.empty()) {
        tellUser(a, L"iCalendar のファイルとして読めないため、何も読み込みませんでした。\n" + cp932ToWide(path) + L"\n（" +
                        wideOfUtf8(calendar.problem) + L"）",
                 win::Tone::Warning);
        return;
    }
    if (result.stopped) {
        tellUser(a, L"読み込みを中止しました。予定は何も変わっていません。", win::Tone::Information);
        return;
    }
    if (result.refused != IcsRefusal::None) {
        tellUser(a, refusalText(result), win::Tone::Warning);
        return;
    }
    if (!result.unstorable.empty()) {
        tellUser(a, L"次の文字は Shift-JIS で保存できないため、何も読み込みませんでした。\n" + wideOfUtf8(result.unstorable),
                 win::Tone::Warning);
        return;
    }
    if (!result.saved) {
        tellUser(a, L"予定のファイルを保存できないため、何も読み込みませんでした。\n" + cp932ToWide(result.saved.reason), win::Tone::Warning);
        return;
    }
    refreshWindows(kRefreshedWindows, kRefreshData);
    tellUser(a, spanText(span) + L"の" + std::to_wstring(result.occurrences) + L"件の予定のうち、" +
                    std::to_wstring(result.added) + L"行を" + std::to_wstring(result.days) +
                    L"日分の予定に加えました。\n（すでにある予定は加えていません）" +
                    (held > 0 ? L"\nTavo から書き出した予定で、いまも Tavo にある" + std::to_wstring(held) + L"件は除きました。"
                              : std::wstring()) +
                    (calendar.skipped > 0 ? L"\n1583年から9999年の外の日付の予定" + std::to_wstring(calendar.skipped) +
                                                L"件は読み込んでいません。"
                                          : std::wstring()),
             win::Tone::Information);
}

}  // namespace tavo::shell
