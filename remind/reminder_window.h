// The reminder window ("TavoRemind") of the process that reminds: hidden
// while nothing is due, it reads the data and the reminder state, sleeps on a
// timer until the next reminder (or midnight), wakes when the data folder,
// the settings, the clock or the power state change, and then shows every
// due entry always on top, with a balloon and a sound for the ones not told
// yet. Snooze, close and open go through the reminder book.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "calendar/data/reminder_book.h"
#include "folder_watch.h"
#include "shared/registry_settings_store.h"
#include "shared/windows_file_system.h"
#include "win/handles.h"
#include "win/window.h"

namespace tavo::remind {

// Where balloons go: the launcher's icon; without one (the calendar reminds),
// an icon of the reminder window's own, there only while it has news.
struct BalloonIcon {
    HWND owner = nullptr;
    UINT id = 0;
};

struct ReminderHost {
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;  // the window's, shared (not destroyed)
    BalloonIcon balloon;
    std::wstring calendarProgram;  // Tavo.exe: its folder holds the rules, 開く starts it
};

class ReminderWindow final : public win::Window {
public:
    explicit ReminderWindow(ReminderHost host);
    ~ReminderWindow() override;
    HWND create();  // hidden; reminding from now on (registers the class first)
    // Tab, Enter and Esc among its controls; the host's message loop asks.
    static bool dialogKeys(MSG& msg);

protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void createControls();
    void layOut();
    void reload();
    void check();
    void wakeAt(Minutes next, Minutes now);
    void showDue(const std::vector<DueReminder>& due);
    void tell(const std::vector<DueReminder>& told);
    void balloon(const std::wstring& title, const std::wstring& text, DWORD flags);
    void removeOwnIcon();
    void playSound() const;
    std::vector<TimedEntry> chosen() const;
    void snooze();
    void dismissAll();
    void openChosen();
    void reportProblem(const std::string& problem);

    ReminderHost host_;
    RegistrySettingsStore store_;
    WindowsFileSystem files_;
    std::unique_ptr<ReminderSetup> setup_;
    std::unique_ptr<ReminderBook> book_;
    FolderWatch watch_;
    std::vector<DueReminder> shown_;
    std::string toldProblem_;
    HWND list_ = nullptr, snoozeChoice_ = nullptr;
    win::GdiObject font_;
    int dpi_ = 96;
    bool ownIcon_ = false;
};

}  // namespace tavo::remind
