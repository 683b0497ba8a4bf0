// The 同期 page: OK keeps the account in the registry and the password in the
// credential store (never in the registry), and a new URL is looked up again.
#include "options_page_fixture.h"
#include "win/credentials.h"

namespace tavo::blackbox {
namespace {

constexpr int kUrl = 1801, kUser = 1802, kPassword = 1803, kEvery = 1805;

class SyncPage : public OptionsPageTest {};

TEST_F(SyncPage, OkKeepsTheAccountAndThePasswordApart) {
    setProfileText(L"sync", L"calendar", L"https://old.example/cal/");
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    setProfileNumber(L"tavocust", L"exec", 0);
    HWND page = openPage(run.window(), kUrl);
    ASSERT_NE(page, nullptr);
    retype(page, kUrl, L"https://cal.example/dav/");
    retype(page, kUser, L"hanako");
    retype(page, kPassword, L"pa55-ワード");
    choose(page, kEvery, 2);
    finish(IDOK);
    std::wstring text;
    EXPECT_TRUE(readProfileText(L"sync", L"url", text));
    EXPECT_EQ(text, L"https://cal.example/dav/");
    EXPECT_TRUE(readProfileText(L"sync", L"user", text));
    EXPECT_EQ(text, L"hanako");
    EXPECT_TRUE(readProfileText(L"sync", L"calendar", text));
    EXPECT_EQ(text, L"");  // another server: its calendar is found again
    DWORD every = 0;
    EXPECT_TRUE(readProfileNumber(L"sync", L"every", every));
    EXPECT_EQ(every, 2u);
    EXPECT_EQ(win::storedPassword("Tavo/CalDAV/https://cal.example/dav/", "hanako").value_or(""), "pa55-\xE3\x83\xAF\xE3\x83\xBC\xE3\x83\x89");
    EXPECT_FALSE(readProfileText(L"sync", L"password", text));
    win::forgetPassword("Tavo/CalDAV/https://cal.example/dav/");
}

}  // namespace
}  // namespace tavo::blackbox
