// The calendar window: the model of the shown month, its texts, its GDI
// objects and its input state. One per process.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "calendar/data/day_off.h"
#include "calendar/data/month_grid.h"
#include "calendar/data/subscriptions.h"
#include "calendar/render/month_layout.h"
#include "design_objects.h"
#include "win/handles.h"
#include "menus.h"
#include "process.h"
#include "shared/calendar_day.h"
#include "shared/messages.h"
#include "shared/window_kinds.h"
#include "win/painted_window.h"

namespace tavo::shell {

inline constexpr UINT_PTR kDateWatchTimer = 1;
inline constexpr UINT_PTR kSyncTimer = 2;  // the 同期 page's interval
inline constexpr int kStatusBarId = 1100;

class RangeViewWindow;
class DayScheduleWindow;
class BirthdayWindow;
class SearchWindow;
class YearWindow;
class PreviewWindow;

class CalendarWindow final : public win::PaintedWindow, public win::AccessibleContent {
public:
    explicit CalendarWindow(Process& p);
    ~CalendarWindow() override;
    static bool registerClass(HINSTANCE instance);
    HWND create(HWND owner);

    Process& process;
    ShownDate selected{2000, 1, 1};
    MonthGrid grid{};
    DayOffTable dayOff{};
    MonthLayout layout{};
    std::string caption, normalTitle, minimizedTitle, statusText;
    std::wstring syncState;  // the status bar's right part: the last sync's time or its failure
    Subscriptions subscriptions;  // the copies of the calendars subscribed to, as shown
    std::string subscriptionList;  // the 同期 page's list they were read for
    std::string holidayTableTold;  // the last refusal of the holiday table the user was told
    std::string weekdayNames[7];

    int slotDpi = 96;  // the DPI the slot was read at, before the window existed
    HWND statusBar = nullptr;
    HWND clockWindow = nullptr;
    bool minimized = false;
    std::vector<HWND> hiddenWhileMinimized;  // the data windows the minimise hid, shown again on restore
    DesignObjects objects;
    Menus menus;
    std::unique_ptr<RangeViewWindow> rangeView;  // made when the view first opens
    std::unique_ptr<DayScheduleWindow> daySchedule;  // the last one opened
    std::unique_ptr<BirthdayWindow> birthdays;       // the last one opened
    std::unique_ptr<SearchWindow> find;                // made when 検索 first opens
    std::unique_ptr<YearWindow> yearView;              // made when the year view first opens
    std::unique_ptr<PreviewWindow> preview;            // made when 印刷 first opens
    // Input state.
    bool rightReleaseInTopBand = false;
    bool mouseCaptured = false;
    bool keyboardMenuPending = false;
    bool contextMenuPending = false;
    bool contextMenuFromStatusBar = false;

    SharedSettings& shared() const { return *process.settings; }
    DesignSet& design() const { return designOf(process, kind()); }
    const DateFormatSet& dateFormats() const { return dateFormatsOf(process, kind()); }
    EnvironmentSettings& env() const { return shared().env; }

private:
    void paint(HDC dc, int width, int height) override;
    COLORREF plainBackground() const override;
    bool forcedSmoothing() const override { return design().forcedSmoothing != 0; }
    bool keepsPlacement() const override { return env().keepPlacements != 0; }
    void dpiChanged() override;
    win::AccessibleContent* accessibleContent() override { return this; }
    long accessibleRole() const override;
    int accessiblePartCount() const override;
    win::AccessiblePart accessiblePart(int index) const override;
    int selectedAccessiblePart() const override;
    void chooseAccessiblePart(int index) override;
    LRESULT onWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace tavo::shell
