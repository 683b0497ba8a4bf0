// Work on a thread of its own, with a small window that shows how far it has
// come once it has taken a moment (the iCalendar files, the sync).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "calendar/data/icalendar_progress.h"
#include "calendar_window.h"
#include "resources/tavo_ids.h"
#include "win/dialog.h"

namespace tavo::shell {

// Work on a thread of its own, and a small window that shows how far it has
// come once it has taken a moment, with a button that stops it. The calendar
// takes no commands meanwhile but keeps answering: it paints, and 中止 works
// however long one step of the work is.
class Progress final : public win::Dialog {
public:
    Progress(CalendarWindow& a, const wchar_t* text) : owner_(a.window), start_(GetTickCount64()) {
        if (createModeless(a.process.instance, L"ICSPROGRESSDLG", owner_)) SetDlgItemTextW(dialog, IDC_ICS_PROGRESS_TEXT, text);
    }
    ~Progress() override {
        if (dialog) DestroyWindow(dialog);
    }

    // Runs work(progress) on its own thread and returns its result once it has ended.
    template <typename Work>
    auto run(Work work) -> decltype(work(IcsProgress{})) {
        const IcsProgress tell = [this](int done, int total) {
            done_ = done;
            total_ = total;
            return !stopped_;
        };
        HANDLE finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (finished == nullptr) return work(tell);
        decltype(work(IcsProgress{})) result{};
        EnableWindow(owner_, FALSE);
        std::thread worker([&] {
            result = work(tell);
            SetEvent(finished);
        });
        while (MsgWaitForMultipleObjects(1, &finished, FALSE, kTick, QS_ALLINPUT) != WAIT_OBJECT_0) {
            showWhenLong();
            pump();
        }
        worker.join();
        CloseHandle(finished);
        EnableWindow(owner_, TRUE);
        return result;
    }

private:
    static constexpr ULONGLONG kDelay = 400;  // milliseconds: short work shows no window
    static constexpr DWORD kTick = 100;       // the bar moves this often

    void showWhenLong() {
        if (!dialog) return;
        if (!shown_ && GetTickCount64() - start_ >= kDelay) {
            shown_ = true;
            ShowWindow(dialog, SW_SHOW);
        }
        if (!shown_) return;
        SendDlgItemMessageW(dialog, IDC_ICS_PROGRESS_BAR, PBM_SETRANGE32, 0, std::max(total_.load(), 1));
        SendDlgItemMessageW(dialog, IDC_ICS_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(done_.load()), 0);
    }

    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM) override {
        if (message == WM_INITDIALOG) return TRUE;
        if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
            stopped_ = true;
            EnableWindow(item(IDCANCEL), FALSE);
            return TRUE;
        }
        return FALSE;
    }

    void pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {  // for the loop that runs after us
                PostQuitMessage(static_cast<int>(message.wParam));
                stopped_ = true;
                return;
            }
            if (dialog && IsDialogMessageW(dialog, &message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    HWND owner_;
    ULONGLONG start_;
    bool shown_ = false;
    std::atomic<bool> stopped_{false};
    std::atomic<int> done_{0}, total_{1};
};

}  // namespace tavo::shell
