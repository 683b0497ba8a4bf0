#include "open_day.h"

#include <cwchar>
#include <iterator>

#include "shared/date_math.h"
#include "shared/windows_of_kind.h"
#include "win/tell.h"

namespace tavo::remind {
namespace {

constexpr DWORD kStartingMilliseconds = 10000;

// Started with the day on its command line; its window exists once it waits for input.
HWND startCalendar(const std::wstring& program, int year, int month, int day, HWND from) {
    wchar_t date[16];
    std::swprintf(date, std::size(date), L"%04d/%02d/%02d", year, month, day);
    std::wstring commandLine = L"\"" + program + L"\" " + date;
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\') + 1);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
        win::tellUser(from, L"カレンダーを起動できません.\n" + program, win::Tone::Error);
        return nullptr;
    }
    WaitForInputIdle(started.hProcess, kStartingMilliseconds);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return findWindowOf(WindowKind::Calendar);
}

}  // namespace

void openDayInCalendar(const std::wstring& program, int serial, ScheduleKind kind, HWND from) {
    int year, month, day;
    civilFromSerial(serial, year, month, day);
    HWND calendar = findWindowOf(WindowKind::Calendar);
    if (calendar == nullptr) calendar = startCalendar(program, year, month, day, from);
    if (calendar == nullptr) return;
    DWORD process = 0;
    GetWindowThreadProcessId(calendar, &process);
    AllowSetForegroundWindow(process);  // the click was ours: the calendar may come forward
    PostMessageW(calendar, UM_OPEN_DAY, static_cast<WPARAM>(year * 10000 + month * 100 + day), kind);
}

}  // namespace tavo::remind
