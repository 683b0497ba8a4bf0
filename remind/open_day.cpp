#include "open_day.h"

#include <cwchar>
#include <iterator>

#include "shared/date_math.h"
#include "shared/windows_of_kind.h"
#include "win/tell.h"

namespace tavo::remind {
namespace {

constexpr DWORD kStartingMilliseconds = 10000;

}  // namespace

HWND startCalendar(const std::wstring& program, const std::wstring& arguments, HWND from, bool waitForWindow) {
    std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\') + 1);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
        win::tellUser(from, L"カレンダーを起動できません。\n" + program, win::Tone::Error);
        return nullptr;
    }
    if (waitForWindow) WaitForInputIdle(started.hProcess, kStartingMilliseconds);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return waitForWindow ? findWindowOf(WindowKind::Calendar) : nullptr;
}

void openDayInCalendar(const std::wstring& program, int serial, ScheduleKind kind, HWND from) {
    int year, month, day;
    civilFromSerial(serial, year, month, day);
    HWND calendar = findWindowOf(WindowKind::Calendar);
    if (calendar == nullptr) {
        wchar_t date[16];  // the day on its command line
        std::swprintf(date, std::size(date), L"%04d/%02d/%02d", year, month, day);
        calendar = startCalendar(program, date, from, true);
    }
    if (calendar == nullptr) return;
    DWORD process = 0;
    GetWindowThreadProcessId(calendar, &process);
    AllowSetForegroundWindow(process);  // the click was ours: the calendar may come forward
    PostMessageW(calendar, UM_OPEN_DAY, static_cast<WPARAM>(year * 10000 + month * 100 + day), kind);
}

}  // namespace tavo::remind
