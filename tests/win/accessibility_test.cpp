// The calendar read the way a screen reader reads it: the client object from
// the window, its children, the focused day's name, state and place, and the
// focus event when an arrow key moves the selection.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "blackbox.h"
#include "resources/tavo_ids.h"

namespace tavo::blackbox {
namespace {

struct Event {
    DWORD kind;
    HWND window;
    LONG object, child;
};
std::vector<Event> events;

void CALLBACK onEvent(HWINEVENTHOOK, DWORD kind, HWND window, LONG object, LONG child, DWORD, DWORD) {
    events.push_back({kind, window, object, child});
}

// Out-of-context hooks are delivered through this thread's messages.
template <class Condition>
bool pumpUntil(Condition condition) {
    return waitUntil([&] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        return condition();
    });
}

VARIANT child(LONG id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::wstring nameOf(IAccessible* object, LONG id) {
    BSTR name = nullptr;
    if (object->get_accName(child(id), &name) != S_OK || name == nullptr) return L"(none)";
    std::wstring text(name, SysStringLen(name));
    SysFreeString(name);
    return text;
}

LONG variantNumber(HRESULT result, const VARIANT& v) { return result == S_OK && v.vt == VT_I4 ? v.lVal : -1; }

IAccessible* clientOf(HWND window) {
    IAccessible* client = nullptr;
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), reinterpret_cast<void**>(&client));
    return client;
}

LONG roleOf(IAccessible* object, LONG id) {
    VARIANT v;
    return variantNumber(object->get_accRole(child(id), &v), v);
}

class Accessibility : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        resetProfile();
        data.useForAllData();
    }
    void TearDown() override {
        resetProfile();
        CoUninitialize();
    }
    TestClock clock{20261207};
    DataFolder data{L"accessible"};
};

TEST_F(Accessibility, AScreenReaderReadsTheSelectedDayAndFollowsTheArrowKey) {
    data.write(L"sch2026c.cal", ":8\r\n会議\r\n");
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    settle(run.window());
    IAccessible* client = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(run.window(), static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&client)),
              S_OK);
    VARIANT v;
    EXPECT_EQ(variantNumber(client->get_accRole(child(CHILDID_SELF), &v), v), ROLE_SYSTEM_TABLE);
    long count = 0;
    EXPECT_EQ(client->get_accChildCount(&count), S_OK);
    EXPECT_GE(count, 1 + 7 + 42);
    EXPECT_EQ(nameOf(client, 1), L"2026年(令和 8年)12月");

    const LONG selected = variantNumber(client->get_accSelection(&v), v);
    EXPECT_EQ(nameOf(client, selected), L"2026年12月7日 月曜日 友引");
    EXPECT_EQ(variantNumber(client->get_accRole(child(selected), &v), v), ROLE_SYSTEM_CELL);
    EXPECT_TRUE(variantNumber(client->get_accState(child(selected), &v), v) & STATE_SYSTEM_SELECTED);

    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr, onEvent, 0, 0,
                                         WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    events.clear();
    pressKey(run.window(), VK_RIGHT);
    LONG announced = 0, focused = 0;
    EXPECT_TRUE(pumpUntil([&] {
        for (const Event& e : events) {
            if (e.window != run.window() || e.object != OBJID_CLIENT) continue;
            if (e.kind == EVENT_OBJECT_SELECTION) announced = e.child;
            if (e.kind == EVENT_OBJECT_FOCUS) focused = e.child;
        }
        return announced != 0 && focused != 0;
    }));
    UnhookWinEvent(hook);
    EXPECT_EQ(focused, announced);
    EXPECT_EQ(nameOf(client, announced), L"2026年12月8日 火曜日 先負 予定あり");
    EXPECT_EQ(variantNumber(client->get_accSelection(&v), v), announced);
    EXPECT_FALSE(variantNumber(client->get_accState(child(selected), &v), v) & STATE_SYSTEM_SELECTED);

    // Its place is the cell right of the old one, and a hit there finds it again.
    long x = 0, y = 0, w = 0, h = 0, oldX = 0, oldY = 0;
    EXPECT_EQ(client->accLocation(&x, &y, &w, &h, child(announced)), S_OK);
    EXPECT_EQ(client->accLocation(&oldX, &oldY, &w, &h, child(selected)), S_OK);
    EXPECT_GT(w, 10);
    EXPECT_EQ(oldY, y);
    EXPECT_EQ(oldX + w, x);
    EXPECT_EQ(variantNumber(client->accHitTest(x + w / 2, y + h / 2, &v), v), announced);

    // A dotted frame marks the day while the keyboard is in use; a click takes it away.
    POINT corner{x, y};
    ScreenToClient(run.window(), &corner);
    const auto frameRow = [&] {
        int width = 0, height = 0;
        const std::vector<COLORREF> pixels = clientPixels(run.window(), width, height);
        const auto row = pixels.begin() + (corner.y + 2) * width;
        return std::vector<COLORREF>(row + corner.x + 4, row + corner.x + w - 4);
    };
    const std::vector<COLORREF> keyed = frameRow();
    EXPECT_GT(std::count(keyed.begin(), keyed.end(), keyed.front()), 2);
    EXPECT_LT(std::count(keyed.begin(), keyed.end(), keyed.front()), static_cast<long>(keyed.size()) * 3 / 4);  // dotted
    click(run.window(), corner.x + w / 2, corner.y + h / 2);
    EXPECT_TRUE(waitUntil([&] { return frameRow() != keyed; }));

    // The default action of a day selects it, as a click does.
    EXPECT_EQ(client->accDoDefaultAction(child(selected)), S_OK);
    EXPECT_TRUE(waitUntil([&] { return variantNumber(client->get_accSelection(&v), v) == selected; }));
    client->Release();
}

// The range view's lines are list items under their date headers; the year
// view's days are cells named as the calendar's, the selected day among them.
TEST_F(Accessibility, TheRangeViewAndTheYearViewAreReadLineByLineAndDayByDay) {
    data.write(L"sch2026c.cal", ":7\r\n会議\r\n");
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND view = waitForWindow(L"WScv", kPatience);
    ASSERT_NE(view, nullptr);
    settle(view);
    IAccessible* lines = clientOf(view);
    ASSERT_NE(lines, nullptr);
    EXPECT_EQ(roleOf(lines, CHILDID_SELF), ROLE_SYSTEM_LIST);
    long count = 0;
    EXPECT_EQ(lines->get_accChildCount(&count), S_OK);
    std::wstring read;
    for (LONG id = 1; id <= count; ++id) read += std::to_wstring(roleOf(lines, id)) + L":" + nameOf(lines, id) + L"|";
    EXPECT_NE(read.find(std::to_wstring(ROLE_SYSTEM_LISTITEM) + L":会議|"), std::wstring::npos) << read;
    VARIANT v;
    const LONG header = variantNumber(lines->get_accSelection(&v), v);
    EXPECT_EQ(roleOf(lines, header), ROLE_SYSTEM_GROUPING) << read;
    lines->Release();

    PostMessageW(run.window(), WM_COMMAND, CMD_YEAR_VIEW, 0);
    HWND year = waitForWindow(L"TavoYear", kPatience);
    ASSERT_NE(year, nullptr);
    settle(year);
    IAccessible* days = clientOf(year);
    ASSERT_NE(days, nullptr);
    EXPECT_EQ(days->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 365);
    const LONG today = variantNumber(days->get_accSelection(&v), v);
    EXPECT_EQ(nameOf(days, today), L"2026年12月7日 月曜日 友引 予定あり");
    EXPECT_EQ(nameOf(days, 1), L"2026年1月1日 木曜日 元日 大安");
    EXPECT_EQ(days->accDoDefaultAction(child(1)), S_OK);  // selects New Year's Day in the calendar
    EXPECT_TRUE(waitUntil([&] { return variantNumber(days->get_accSelection(&v), v) == 1; }));
    days->Release();
}

// The day's popup menu from the keyboard, Shift+F10 and the Menu key, opens
// at the selected day; Esc closes it.
TEST_F(Accessibility, TheKeyboardOpensThePopupMenuAtTheSelectedDay) {
    CalendarRun run(L"2026/12/09");
    ASSERT_NE(run.window(), nullptr);
    settle(run.window());
    IAccessible* client = clientOf(run.window());
    ASSERT_NE(client, nullptr);
    VARIANT v;
    long x = 0, y = 0, w = 0, h = 0;
    EXPECT_EQ(client->accLocation(&x, &y, &w, &h, child(variantNumber(client->get_accSelection(&v), v))), S_OK);
    client->Release();
    for (const WORD modifier : {static_cast<WORD>(VK_SHIFT), static_cast<WORD>(0)}) {
        ASSERT_TRUE(modifier ? pressChord(run.window(), VK_SHIFT, VK_F10) : pressChord(run.window(), VK_APPS, VK_APPS));
        HWND menu = nullptr;
        EXPECT_TRUE(waitUntil([&] { return (menu = FindWindowW(L"#32768", nullptr)) != nullptr && IsWindowVisible(menu); }))
            << (modifier ? "Shift+F10" : "Menu key");
        RECT place{};
        GetWindowRect(menu, &place);
        EXPECT_GE(place.left, x - 2);
        EXPECT_LE(place.left, x + w);
        keybd_event(VK_ESCAPE, 0, 0, 0);
        keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
        EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(menu); }));
    }
}

HWND focusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// The print preview's controls answer Tab and their access keys as a dialog's do.
TEST_F(Accessibility, ThePrintPreviewIsWorkedFromTheKeyboard) {
    CalendarRun run(L"2026/12/09");
    ASSERT_NE(run.window(), nullptr);
    ASSERT_TRUE(pressWithControl(run.window(), 'P'));
    HWND preview = waitForWindow(L"TavoPreview", kPatience);
    ASSERT_NE(preview, nullptr);
    settle(preview);
    HWND landscape = GetDlgItem(preview, 2103);
    const LRESULT was = SendMessageW(landscape, BM_GETCHECK, 0, 0);
    ASSERT_TRUE(pressChord(preview, VK_MENU, 'L'));  // 横向き(&L)
    EXPECT_TRUE(waitUntil([&] { return SendMessageW(landscape, BM_GETCHECK, 0, 0) != was; }));
    HWND before = focusOf(preview);
    EXPECT_TRUE(IsChild(preview, before));
    keybd_event(VK_TAB, 0, 0, 0);
    keybd_event(VK_TAB, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_TRUE(waitUntil([&] { return focusOf(preview) != before && IsChild(preview, focusOf(preview)); }));
    ASSERT_TRUE(pressChord(preview, VK_MENU, 'Z'));  // 用紙(&Z): the paper list
    EXPECT_TRUE(waitUntil([&] { return focusOf(preview) == GetDlgItem(preview, 2102); }));
}

// A dark high-contrast palette for the session, put back afterwards.
class ContrastPalette {
public:
    ContrastPalette() {
        for (size_t i = 0; i < std::size(kElements); ++i) saved_[i] = GetSysColor(kElements[i]);
        setProfileNumber(L"testclock", L"highcontrast", 1);  // Wine cannot switch the theme itself
        SetSysColors(static_cast<int>(std::size(kElements)), kElements, kColours);
    }
    ~ContrastPalette() { SetSysColors(static_cast<int>(std::size(kElements)), kElements, saved_); }
    static constexpr int kElements[] = {COLOR_WINDOW,  COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT,
                                        COLOR_HOTLIGHT, COLOR_GRAYTEXT,   COLOR_BTNFACE,   COLOR_BTNTEXT};
    static constexpr COLORREF kColours[] = {RGB(0, 0, 0),     RGB(255, 255, 255), RGB(26, 235, 255), RGB(0, 0, 0),
                                            RGB(255, 255, 0), RGB(63, 242, 63),   RGB(0, 0, 0),      RGB(255, 255, 255)};

private:
    COLORREF saved_[std::size(kElements)]{};
};

COLORREF commonestColour(const std::vector<COLORREF>& pixels) {
    std::map<COLORREF, int> counts;
    for (COLORREF c : pixels) ++counts[c];
    return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

// The longest row of one colour: an underline is longer than any stroke of a digit.
int longestRun(const std::vector<COLORREF>& pixels, int width, COLORREF colour) {
    int longest = 0, run = 0;
    for (size_t i = 0; i < pixels.size(); ++i) {
        run = (i % static_cast<size_t>(width) != 0 && pixels[i] == colour) ? run + 1 : (pixels[i] == colour ? 1 : 0);
        longest = std::max(longest, run);
    }
    return longest;
}

// Under a high-contrast theme the calendar paints in the system's colours,
// rest days underlined in the hot-light colour, and leaves them when the theme goes.
TEST_F(Accessibility, AHighContrastThemeIsPaintedInTheSystemsColours) {
    ContrastPalette palette;
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    settle(run.window());
    int width = 0, height = 0;
    std::vector<COLORREF> pixels = clientPixels(run.window(), width, height);
    EXPECT_EQ(commonestColour(pixels), RGB(0, 0, 0));
    EXPECT_GT(std::count(pixels.begin(), pixels.end(), RGB(26, 235, 255)), 100);  // the selected day
    EXPECT_GE(longestRun(pixels, width, RGB(255, 255, 0)), 12);                  // a Sunday's number underlined

    // The theme switched off: the design's own colours come back.
    setProfileNumber(L"testclock", L"highcontrast", 0);
    SendMessageTimeoutW(run.window(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_NORMAL, kPatience, nullptr);
    EXPECT_TRUE(waitUntil([&] {
        pixels = clientPixels(run.window(), width, height);
        return commonestColour(pixels) != RGB(0, 0, 0);
    }));
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), RGB(26, 235, 255)), 0);
}

}  // namespace
}  // namespace tavo::blackbox
