// The year view and printing as a user meets them: Ctrl+Y shows the year and
// a click on a day selects it in the calendar; Ctrl+P shows the month as it
// will print and 保存... writes the page as a metafile whose texts are the
// month's days, holiday names and schedule lines.
#include <gtest/gtest.h>

#include <utility>

#include <cstring>
#include <string>
#include <vector>

#include "blackbox.h"
#include "calendar/render/year_view.h"

namespace tavo::blackbox {
namespace {

constexpr DWORD kWait = 8000;
constexpr int kSaveButton = 2107;

// The texts an enhanced metafile draws (EMR_EXTTEXTOUTW records), in order.
std::vector<std::wstring> metafileTexts(const std::string& bytes) {
    std::vector<std::wstring> texts;
    const auto u32 = [&](std::size_t at) {
        std::uint32_t v = 0;
        if (at + 4 <= bytes.size()) std::memcpy(&v, bytes.data() + at, 4);
        return v;
    };
    for (std::size_t at = 0; at + 8 <= bytes.size();) {
        const std::uint32_t type = u32(at), size = u32(at + 4);
        if (size < 8 || at + size > bytes.size()) break;
        if (type == EMR_EXTTEXTOUTW && size >= 76) {
            const std::uint32_t count = u32(at + 44), offset = u32(at + 48);
            if (offset + count * 2 <= size) {
                std::wstring text(count, L'\0');
                std::memcpy(text.data(), bytes.data() + at + offset, count * 2);
                texts.push_back(text);
            }
        }
        at += size;
    }
    return texts;
}

class YearAndPrint : public ::testing::Test {
protected:
    void SetUp() override {
        resetProfile();
        data.useForAllData();
        setProfileNumber(L"scv", L"aftd", 0);
        std::string may = ":1\r\n会議 10:00\r\n:6\r\n";
        for (int i = 1; i <= 30; ++i) may += "打ち合わせ" + std::to_string(i) + "\r\n";
        data.write(L"sch20265.cal", may);
    }
    void TearDown() override { resetProfile(); }

    // The window a Ctrl key opens from the calendar, settled; nullptr when none opens.
    static HWND openWithControl(HWND calendar, WORD key, const wchar_t* className) {
        if (!pressWithControl(calendar, key)) return nullptr;
        HWND opened = waitForWindow(className, kWait);
        if (opened) settle(opened);
        return opened;
    }

    DataFolder data{L"tavo-print"};
};

// Sizes stored on a larger monitor, or past any screen: the year view opens
// within the work area, and so does the preview.
TEST_F(YearAndPrint, TheYearViewAndThePreviewOpenWithinTheWorkArea) {
    setProfileNumber(L"year", L"cx", 0x7FFFFFFF);
    setProfileNumber(L"year", L"cy", 0x7FFFFFFF);
    CalendarRun run(L"2026/05/06");
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    for (const auto& [key, cls] : {std::pair{WORD{'Y'}, L"TavoYear"}, std::pair{WORD{'P'}, L"TavoPreview"}}) {
        HWND opened = openWithControl(run.window(), key, cls);
        ASSERT_NE(opened, nullptr) << key;
        RECT r{};
        GetWindowRect(opened, &r);
        EXPECT_GE(r.left, work.left) << key;
        EXPECT_GE(r.top, work.top) << key;
        EXPECT_LE(r.right, work.right) << key;
        EXPECT_LE(r.bottom, work.bottom) << key;
    }
}

TEST_F(YearAndPrint, CtrlYShowsTheYearAndAClickSelectsTheDay) {
    CalendarRun run(L"2026/05/06");
    HWND year = openWithControl(run.window(), 'Y', L"TavoYear");
    ASSERT_NE(year, nullptr);
    EXPECT_EQ(windowText(year), L"2026年 - 年間カレンダー");
    RECT client{};
    GetClientRect(year, &client);
    const int m = MulDiv(8, GetDpiForWindow(year), 96);
    const YearLayout layout = layoutYear({m, m, client.right - 2 * m, client.bottom - 2 * m});
    ASSERT_GT(layout.cell, 0);
    // 20 March 2026, 春分の日: a Friday, in the third week row of March (1 March is a Sunday, shown in row 1).
    const Rect cell = yearCellRect(layout, 3, cellIndex(5, 3));
    click(year, cell.left + cell.width / 2, cell.top + cell.height / 2);
    EXPECT_TRUE(waitForStatus(run.window(), L"2026/ 3/20", kWait)) << statusBarText(run.window());
    pressKey(year, VK_NEXT);  // a year on
    EXPECT_TRUE(waitForStatus(run.window(), L"2027/ 3/20", kWait)) << statusBarText(run.window());
    EXPECT_TRUE(waitUntil([&] { return windowText(year) == L"2027年 - 年間カレンダー"; }));
}

TEST_F(YearAndPrint, CtrlPPreviewSavesThePageWithItsTexts) {
    CalendarRun run(L"2026/05/06");
    HWND preview = openWithControl(run.window(), 'P', L"TavoPreview");
    ASSERT_NE(preview, nullptr);
    const std::wstring file = data.pathOf(L"may.emf");
    PostMessageW(GetDlgItem(preview, kSaveButton), BM_CLICK, 0, 0);
    ASSERT_TRUE(answerFileDialog(preview, file));
    ASSERT_TRUE(waitUntil([&] { return data.read(L"may.emf") != "(missing)"; }));
    const std::vector<std::wstring> texts = metafileTexts(data.read(L"may.emf"));
    const auto has = [&](const std::wstring& text) { return std::find(texts.begin(), texts.end(), text) != texts.end(); };
    EXPECT_TRUE(has(L"2026年5月 令和8年"));
    for (int day = 1; day <= 31; ++day) EXPECT_TRUE(has(std::to_wstring(day))) << day;
    for (const wchar_t* name : {L"憲法記念日", L"みどりの日", L"こどもの日", L"会議 10:00", L"打ち合わせ1"}) EXPECT_TRUE(has(name)) << name;
    int shown = 0, counted = 0;
    for (const std::wstring& text : texts) {
        if (text.rfind(L"打ち合わせ", 0) == 0) ++shown;
        if (text.rfind(L"他", 0) == 0 && text.ends_with(L"件")) counted = std::stoi(text.substr(1));
    }
    EXPECT_GT(shown, 0);
    EXPECT_EQ(shown + counted, 30);  // the lines that fit, and the rest counted
}

}  // namespace
}  // namespace tavo::blackbox
