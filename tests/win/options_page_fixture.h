// What the tests of one options page share: a fresh profile with the dialog
// opening beside the calendar (not over it) on a fixed "today", and the
// user's ways of reaching and using a page.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "blackbox.h"
#include "resources/tavo_ids.h"

namespace tavo::blackbox {

class OptionsPageTest : public ::testing::Test {
protected:
    static constexpr DWORD kWait = 8000;

    void SetUp() override {
        resetProfile();
        setProfileNumber(L"tavocust", L"exec", 1);  // not the first opening: the caller's tab
        setProfileNumber(L"custpos", L"xCst", 420);
        setProfileNumber(L"custpos", L"yCst", 0);
        clock = std::make_unique<TestClock>(20261207);
    }
    void TearDown() override {
        clock.reset();
        resetProfile();
    }
    // Opens the dialog from a window (command 103) and walks to the page holding the control.
    HWND openPage(HWND from, int control) {
        PostMessageW(from, WM_COMMAND, CMD_OPTIONS, 0);
        dialog = waitForDialog(from, L"オプション(Tavo)", kWait);
        if (dialog == nullptr) return nullptr;
        return optionsPageWith(dialog, control);
    }
    // The page and the windows it tells (a refresh is posted to them, and may post again).
    static void settleAll(HWND page) {
        settle(page);
        for (HWND window : {FindWindowW(L"Tavo", nullptr), FindWindowW(L"WScv", nullptr)})
            if (window) settle(window);
    }
    // OK or Cancel, and the dialog gone.
    void finish(int button) {
        PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
        EXPECT_TRUE(waitUntilClosed(dialog, kWait));
        settleAll(nullptr);
    }
    // A list entry chosen as the user does: selected, and the page told.
    static void choose(HWND page, int combo, int index) {
        HWND box = GetDlgItem(page, combo);
        SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
        settleAll(page);
    }
    static void click(HWND page, int id) {
        SendMessageW(GetDlgItem(page, id), BM_CLICK, 0, 0);
        settleAll(page);
    }
    // The edit's whole text replaced by typing.
    static void retype(HWND page, int edit, const std::wstring& text) {
        SendMessageW(GetDlgItem(page, edit), EM_SETSEL, 0, -1);
        typeText(GetDlgItem(page, edit), text);
        settleAll(page);
    }
    static bool enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
    static bool checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

    std::unique_ptr<TestClock> clock;
    HWND dialog = nullptr;
};

}  // namespace tavo::blackbox
