// The design pages driven in the real dialog: a colour chosen in the system's
// colour chooser shows at once and leaves no scheme current, schemes beside
// the program are chosen, saved and refused by name, heights lay the window
// out anew, and each area offers only what it has.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "options_page_fixture.h"
#include "calendar/render/design.h"
#include "shared/cp932.h"
#include "shared_block_view.h"

namespace tavo::blackbox {
namespace {

enum Id {
    kSchemes = 201, kSave, kDelete, kPart, kState, kRelief, kRaised, kSunken, kDayKind, kSample, kBackgroundButton, kTextButton,
    kHeight = 213, kSystemColours = 222, kSchemeName = 1101,
};
enum CalendarPart { kYearMonPart, kWeekPart, kBackgroundPart, kNoSchedulePart, kHaveSchedulePart, kRokuyouPart,
                    kHolilinePart, kNormlinePart, kButtonPart };
constexpr COLORREF kWhite = 16777215;
const POINT kInYearBand{4, 4};  // inside the year band's fill, clear of its edges and text

class DesignPage : public OptionsPageTest {
protected:
    void TearDown() override {
        for (const wchar_t* file : {L"TestGreen.col", L"青空.col", L"evil.col", L".col", L"TestView.scl"})
            DeleteFileW(besideTest(file).c_str());
        DeleteFileW((besideTest(L"..") + L"\\evil.col").c_str());
        OptionsPageTest::TearDown();
    }
    HWND openPage(HWND from) { return OptionsPageTest::openPage(from, kSchemes); }
    static int findScheme(HWND page, const std::wstring& name) {
        return static_cast<int>(SendDlgItemMessageW(page, kSchemes, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                    reinterpret_cast<LPARAM>(name.c_str())));
    }
    static int chosenScheme(HWND page) { return static_cast<int>(SendDlgItemMessageW(page, kSchemes, CB_GETCURSEL, 0, 0)); }
    // A calendar scheme file beside the program whose year band is the colour.
    static void writeScheme(const wchar_t* file, const char* name, COLORREF yearBand) {
        DesignSet design{};
        resetDesignSet(design, kCalendarDesign, {GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYSMCAPTION)});
        copyToField(design.schemeName, sizeof design.schemeName, name);
        design.colour[0][0][tavo::kBackground][kNormal] = static_cast<std::int32_t>(yearBand);
        std::array<std::int32_t, 16> custom;
        custom.fill(kWhite);
        const std::string content = formatSchemeFile(design, kCalendarDesign, custom);
        HANDLE h = CreateFileW(besideTest(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n = 0;
        WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &n, nullptr);
        CloseHandle(h);
    }
    // Answers the system's colour chooser with a colour, through its red, green and blue edits.
    void answerColourChooser(HWND page, int button, COLORREF colour) {
        PostMessageW(GetDlgItem(page, button), BM_CLICK, 0, 0);
        HWND chooser = waitForOwnedDialog(dialog, kWait);
        ASSERT_NE(chooser, nullptr);
        const BYTE channels[3] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
        for (int i = 0; i < 3; ++i)
            SendDlgItemMessageW(chooser, 706 + i, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(std::to_wstring(channels[i]).c_str()));
        settle(chooser);
        PostMessageW(chooser, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(waitUntilClosed(chooser, kWait));
        settle(page);
    }

};

// A background colour chosen in the chooser repaints the year band at once and
// leaves no scheme current; Cancel brings back pixel and name.
TEST_F(DesignPage, AChosenColourShowsAtOnceAndLeavesNoSchemeCurrent) {
    writeScheme(L"TestGreen.col", "TestGreen", RGB(0, 200, 0));
    setProfileText(L"colorname", L"colorname", L"TestGreen");
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    SharedBlockView block;
    ASSERT_TRUE(block);
    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(chosenScheme(page), findScheme(page, L"TestGreen"));
    EXPECT_TRUE(enabled(page, kDelete));
    const COLORREF before = clientPixel(run.window(), kInYearBand.x, kInYearBand.y);
    answerColourChooser(page, kBackgroundButton, RGB(0x12, 0x34, 0x56));
    EXPECT_TRUE(waitForPixel(run.window(), kInYearBand.x, kInYearBand.y, RGB(0x12, 0x34, 0x56), 3000))
        << std::hex << clientPixel(run.window(), kInYearBand.x, kInYearBand.y);
    EXPECT_EQ(chosenScheme(page), CB_ERR);
    EXPECT_FALSE(enabled(page, kDelete));
    finish(IDCANCEL);
    EXPECT_TRUE(waitForPixel(run.window(), kInYearBand.x, kInYearBand.y, before, 3000));
    EXPECT_STREQ(block->design[0].schemeName, "TestGreen");
}

// A scheme file beside the program, chosen from the list, changes the year band; OK writes its name.
TEST_F(DesignPage, ChoosingASchemeFromTheList) {
    writeScheme(L"TestGreen.col", "TestGreen", RGB(0, 200, 0));
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    EXPECT_NE(findScheme(page, L"夜空"), CB_ERR);  // the project's own schemes ship beside the program
    const int green = findScheme(page, L"TestGreen");
    ASSERT_NE(green, CB_ERR);
    choose(page, kSchemes, green);
    EXPECT_TRUE(waitForPixel(run.window(), kInYearBand.x, kInYearBand.y, RGB(0, 200, 0), 3000))
        << std::hex << clientPixel(run.window(), kInYearBand.x, kInYearBand.y);
    finish(IDOK);
    std::wstring name;
    EXPECT_TRUE(readProfileText(L"colorname", L"colorname", name));
    EXPECT_EQ(name, L"TestGreen");
    DWORD colour = 0;
    EXPECT_TRUE(readProfileNumber(L"YearMon", L"colorbn0", colour));
    EXPECT_EQ(colour, static_cast<DWORD>(RGB(0, 200, 0)));
}

// Saving writes the scheme file under a Japanese name; names that would leave
// the folder or name nothing are refused with the dialog kept open.
TEST_F(DesignPage, SavingUnderANameAndRefusingBadNames) {
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(enabled(page, kDelete));  // the built-in 標準 has no file to delete
    PostMessageW(GetDlgItem(page, kSave), BM_CLICK, 0, 0);
    HWND save = waitForDialog(run.window(), L"配色の登録", kWait);
    ASSERT_NE(save, nullptr);
    for (const wchar_t* bad : {L"..\\evil", L""}) {
        SendDlgItemMessageW(save, kSchemeName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bad));
        EXPECT_TRUE(toldAfter(save, WM_COMMAND, IDOK, L"名前")) << bad;
        EXPECT_TRUE(IsWindow(save));
    }
    EXPECT_EQ(fileBytes(besideTest(L"..") + L"\\evil.col"), "(missing)");
    EXPECT_EQ(fileBytes(besideTest(L".col")), "(missing)");
    SendDlgItemMessageW(save, kSchemeName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"青空"));
    PostMessageW(save, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(waitUntilClosed(save, kWait));
    settle(page);
    const std::string bytes = fileBytes(besideTest(L"青空.col"));
    EXPECT_EQ(bytes.rfind("[colorname]\r\ncolorname=" + wideToCp932(L"青空") + "\r\n", 0), 0u) << bytes.substr(0, 40);
    EXPECT_NE(bytes.find("[custcolor]\r\n0=16777215\r\n"), std::string::npos);
    EXPECT_EQ(chosenScheme(page), findScheme(page, L"青空"));
    EXPECT_TRUE(enabled(page, kDelete));
    for (const int answer : {IDNO, IDYES}) {  // deleting asks first
        PostMessageW(GetDlgItem(page, kDelete), BM_CLICK, 0, 0);
        HWND box = waitForDialog(run.window(), L"Tavo", kWait);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(messageBoxText(box), L"配色「青空」を削除しますか。");
        PostMessageW(box, WM_COMMAND, answer, 0);
        waitUntilClosed(box, kWait);
        settle(page);
        EXPECT_TRUE(answer == IDYES || fileBytes(besideTest(L"青空.col")) != "(missing)");
    }
    EXPECT_TRUE(waitUntil([] { return fileBytes(besideTest(L"青空.col")) == "(missing)"; }));
    settle(page);
    EXPECT_EQ(findScheme(page, L"青空"), CB_ERR);
    finish(IDCANCEL);
}

// A taller year band: the window lays itself out anew at once.
TEST_F(DesignPage, AHeightChangeLaysTheWindowOut) {
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    const int band = GetSystemMetrics(SM_CYCAPTION);
    const POINT below{4, band + 6};  // in the weekday row, Sunday's red
    EXPECT_NE(clientPixel(run.window(), below.x, below.y), kWhite);
    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    choose(page, kHeight, band + 19);  // height band + 20
    EXPECT_TRUE(waitForPixel(run.window(), below.x, below.y, kWhite, 3000))
        << std::hex << clientPixel(run.window(), below.x, below.y);
    finish(IDCANCEL);
    EXPECT_FALSE(waitForPixel(run.window(), below.x, below.y, kWhite, 1000));
}

// What each area offers: relief only where it is drawn, system colours only for the buttons.
TEST_F(DesignPage, PartsOfferOnlyWhatTheyHave) {
    writeScheme(L"TestGreen.col", "TestGreen", RGB(0, 200, 0));
    {
        HANDLE h = CreateFileW(besideTest(L"TestView.scl").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(h);
    }
    setProfileNumber(L"scv", L"aftd", 3);
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    struct Case {
        int part;
        bool relief, system, dayKinds;
    } cases[] = {
        {kYearMonPart, true, false, false}, {kWeekPart, true, false, true},    {kNoSchedulePart, true, false, true},
        {kRokuyouPart, false, false, false}, {kHolilinePart, false, false, false}, {kNormlinePart, false, false, false},
        {kButtonPart, false, true, false},
    };
    for (const Case& c : cases) {
        choose(page, kPart, c.part);
        EXPECT_EQ(enabled(page, kRelief), c.relief) << c.part;
        EXPECT_EQ(enabled(page, kSystemColours), c.system) << c.part;
        EXPECT_EQ(enabled(page, kDayKind), c.dayKinds) << c.part;
    }
    EXPECT_NE(findScheme(page, L"TestGreen"), CB_ERR);
    EXPECT_EQ(findScheme(page, L"TestView"), CB_ERR);
    finish(IDCANCEL);

    HWND view = waitForWindow(L"WScv", 1000);
    PostMessageW(run.window(), WM_KEYDOWN, VK_RETURN, 0);  // open the range view if it is not open
    view = view ? view : waitForWindow(L"WScv", kWait);
    ASSERT_NE(view, nullptr);
    page = openPage(view);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(SendDlgItemMessageW(page, kPart, CB_GETCOUNT, 0, 0), 5);
    EXPECT_NE(findScheme(page, L"TestView"), CB_ERR);
    EXPECT_EQ(findScheme(page, L"TestGreen"), CB_ERR);
    for (int part = 0; part < 5; ++part) {
        choose(page, kPart, part);
        EXPECT_FALSE(enabled(page, kSystemColours)) << part;
        EXPECT_EQ(enabled(page, kRelief), part <= 2) << part;
    }
    finish(IDCANCEL);
}

}  // namespace
}  // namespace tavo::blackbox
