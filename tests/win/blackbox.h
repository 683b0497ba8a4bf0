// Helpers for black-box tests that start the real programs and watch their windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tavo::blackbox {

// How long a test waits for something the programs should do at once.
constexpr DWORD kPatience = 8000;

// Polls the condition until it holds; false after the timeout. Every wait of
// the tests is one of these: on what a user would see, never a fixed time.
template <class Condition>
bool waitUntil(Condition condition, DWORD timeoutMs = kPatience) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(20);
    }
}

// Waits until the window's thread has handled the messages posted to it so
// far (and a few it posted itself on the way) and has painted.
bool settle(HWND window);

// Full path of a file beside the running test program.
std::wstring besideTest(const wchar_t* fileName);

class Process {
public:
    explicit Process(const std::wstring& exe, const std::wstring& arguments = L"");
    ~Process();  // ends the process if it still runs
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool started() const { return info_.hProcess != nullptr; }
    // True when the process ended within timeoutMs; its exit code goes to code.
    bool waitExit(DWORD timeoutMs, DWORD& code);

private:
    PROCESS_INFORMATION info_{};
};

// Polls for a top-level window of the class; nullptr after the timeout.
HWND waitForWindow(const wchar_t* className, DWORD timeoutMs);
bool waitForNoWindow(const wchar_t* className, DWORD timeoutMs);
int countTopLevelWindows(const wchar_t* className);
std::wstring windowText(HWND window);

}  // namespace tavo::blackbox

namespace tavo::blackbox {

// The calendar's registry root, emptied so a test starts from a fresh profile.
void resetProfile();
void setProfileNumber(const wchar_t* key, const wchar_t* name, DWORD value);
void setProfileText(const wchar_t* key, const wchar_t* name, const std::wstring& value);
bool readProfileNumber(const wchar_t* key, const wchar_t* name, DWORD& value);
bool readProfileText(const wchar_t* key, const wchar_t* name, std::wstring& value);

// The text of the calendar's status bar.
std::wstring statusBarText(HWND calendar, int part = 0);
// A pixel of a window's client area, read from the screen.
COLORREF clientPixel(HWND window, int x, int y);
// The client area's pixels as on the screen, row by row.
std::vector<COLORREF> clientPixels(HWND window, int& width, int& height);
// Polls until the pixel has the colour; false after the timeout.
bool waitForPixel(HWND window, int x, int y, COLORREF colour, DWORD timeoutMs);

// A started calendar; closed (WM_CLOSE) and awaited when it goes out of scope.
class CalendarRun {
public:
    explicit CalendarRun(const std::wstring& arguments = L"");
    ~CalendarRun();
    HWND window() const { return window_; }
    bool close(DWORD& exitCode);

private:
    Process process_;
    HWND window_ = nullptr;
    bool closed_ = false;
};

}  // namespace tavo::blackbox

namespace tavo::blackbox {

// Wine leaves a managed window's frame to the window manager, and the test
// screen has none: programs started while this lives get frames Wine draws,
// buttons and all.
class WineDrawnFrames {
public:
    WineDrawnFrames();
    ~WineDrawnFrames();
    WineDrawnFrames(const WineDrawnFrames&) = delete;
    WineDrawnFrames& operator=(const WineDrawnFrames&) = delete;
};
// Clicks the window's minimise button with the mouse (a frame Wine draws).
bool clickMinimiseButton(HWND window);

// Waits until the window is shown (or hidden).
inline bool waitVisible(HWND window, bool visible) {
    return waitUntil([&] { return (IsWindowVisible(window) != FALSE) == visible; });
}
// Waits until the window is gone; true when it went within the time.
bool waitUntilClosed(HWND window, DWORD timeoutMs);
// A dialog or message box (#32770) of the process that owns window, or nullptr.
HWND waitForDialog(HWND ownerWindow, const wchar_t* title, DWORD timeoutMs);
// A dialog (#32770) owned by the window, whatever its title (a system dialog's depends on the language).
HWND waitForOwnedDialog(HWND owner, DWORD timeoutMs);
// The text of a message box.
std::wstring messageBoxText(HWND box);
// Posts a key press (down and up) to a window.
void pressKey(HWND window, WPARAM key);
// A modifier (VK_SHIFT, VK_CONTROL, VK_MENU) and a key pressed on the keyboard (SendInput) with the
// window in front; false when it cannot come to the front.
bool pressChord(HWND window, WORD modifier, WORD key);
bool pressWithControl(HWND window, WORD key);
// Posts a click (press and release) of the left button at a client point.
void click(HWND window, int x, int y);
// Waits until the status bar text starts with prefix.
bool waitForStatus(HWND calendar, const std::wstring& prefix, DWORD timeoutMs);

}  // namespace tavo::blackbox

namespace tavo::blackbox {

// A file's bytes; "(missing)" when it cannot be opened.
std::string fileBytes(const std::wstring& path);

// A private folder for one test, emptied and removed at the end.
class DataFolder {
public:
    explicit DataFolder(const wchar_t* name);
    ~DataFolder();
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring pathOf(const std::wstring& name) const { return path_ + L"\\" + name; }
    void write(const std::wstring& name, const std::string& bytes) const;
    // The file's bytes; "(missing)" when it does not exist.
    std::string read(const std::wstring& name) const;
    // Every data folder of the profile (schedules, birthdays, anniversaries, memo, diary) points here.
    void useForAllData() const;

private:
    std::wstring path_;
};

// The text of a control of another process (WM_GETTEXT; GetWindowText does not reach it).
std::wstring controlText(HWND control);
// "Today" for the programs started while it lives (through the registry, see TAVO_TEST_CLOCK).
class TestClock {
public:
    explicit TestClock(DWORD yyyymmdd);
    ~TestClock();
    TestClock(const TestClock&) = delete;
    TestClock& operator=(const TestClock&) = delete;
    void set(DWORD yyyymmdd);
    // The time of day, to the minute; the programs see it at their next look
    // (a reminder window looks again on WM_TIMECHANGE, as after a clock change).
    void setTime(int hour, int minute);
};

// Asks a window to do something that the user must be told about (a WM_COMMAND
// or WM_CLOSE posted); true when a message box holding fragment appeared,
// which is then dismissed.
bool toldAfter(HWND window, UINT message, WPARAM wParam, const std::wstring& fragment);

// The clipboard's text in a format (CF_UNICODETEXT or CF_TEXT, the latter read as CP932).
std::wstring clipboardText(UINT format);
// The range view's list as its copy command puts it on the clipboard.
std::wstring copiedRangeList(HWND view);
// The options dialog's page holding a control: the inner tabs are walked
// with the arrow key, as a user does, until it shows; nullptr if none does.
HWND optionsPageWith(HWND dialog, int control);

// Types the file name into the system's file dialog the window owns and
// presses OK; false when there is no such dialog.
bool answerFileDialog(HWND owner, const std::wstring& file);

// Types text into a window as keystrokes do (WM_CHAR per UTF-16 unit; "\r" is Enter).
void typeText(HWND window, const std::wstring& text);

}  // namespace tavo::blackbox
