// Starts the real programs under test and checks what a user would see.
#include <gtest/gtest.h>

#include "blackbox.h"

namespace tavo::blackbox {
namespace {

constexpr DWORD kWait = 20000;

TEST(Calendar, OneInstanceOpensAndClosesCleanly) {
    resetProfile();
    Process first(besideTest(L"Tavo.exe"));
    ASSERT_TRUE(first.started());
    HWND window = waitForWindow(L"Tavo", kWait);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(windowText(window), L"Tavo");
    // shown once it has placed itself
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(window) != FALSE; }));

    Process second(besideTest(L"Tavo.exe"));
    DWORD code = 1234;
    ASSERT_TRUE(second.waitExit(kWait, code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(countTopLevelWindows(L"Tavo"), 1);

    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(first.waitExit(kWait, code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(waitForNoWindow(L"Tavo", kWait));
}

// Two calendars started at the same moment: one runs, the other ends.
TEST(Calendar, TwoSimultaneousStartsLeaveOneCalendar) {
    resetProfile();
    Process first(besideTest(L"Tavo.exe")), second(besideTest(L"Tavo.exe"));
    ASSERT_TRUE(first.started() && second.started());
    DWORD code = 1234;
    bool firstEnded = false;
    ASSERT_TRUE(waitUntil([&] { return (firstEnded = first.waitExit(0, code)) || second.waitExit(0, code); }, kWait));
    EXPECT_EQ(code, 0u);
    HWND window = waitForWindow(L"Tavo", kWait);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    EXPECT_EQ(countTopLevelWindows(L"Tavo"), 1);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE((firstEnded ? second : first).waitExit(kWait, code));
    EXPECT_TRUE(waitForNoWindow(L"Tavo", kWait));
}

TEST(OptionsLibrary, ExportsTavoCustUndecorated) {
    HMODULE library = LoadLibraryW(besideTest(L"TavoCust.dll").c_str());
    ASSERT_NE(library, nullptr);
    EXPECT_NE(GetProcAddress(library, "TavoCust"), nullptr);
    FreeLibrary(library);
}

}  // namespace
}  // namespace tavo::blackbox
