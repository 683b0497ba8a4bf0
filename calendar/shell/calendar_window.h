// The calendar window: the model of the shown month, its texts, its GDI
// objects and its input state. One per process.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "calendar/data/day_off.h"
#include "calendar/data/month_grid.h"
#include "calendar/render/month_layout.h"
#include "design_objects.h"
#include "gdi.h"
#include "menus.h"
#include "process.h"
#include "shared/calendar_day.h"
#include "shared/messages.h"
#include "shared/window_kinds.h"
#include "window.h"

namespace tavo::shell {

inline constexpr UINT_PTR kDateWatchTimer = 1;
inline constexpr UINT_PTR kCaptionTimer = 2;
inline constexpr int kStatusBarId = 1100;

class RangeViewWindow;
class DayScheduleWindow;
class BirthdayWindow;

class CalendarWindow final : public Window {
public:
    explicit CalendarWindow(Process& p);
    ~CalendarWindow() override;
    static bool registerClass(HINSTANCE instance);
    HWND create(HWND owner);

    Process& process;
    WindowSlots slots{};
    ShownDate selected{2000, 1, 1};
    MonthGrid grid{};
    DayOffTable dayOff{};
    MonthLayout layout{};
    std::string caption, normalTitle, minimizedTitle, statusText;
    std::string weekdayNames[7];

    int dpi = 96;  // of the window; sizes kept at 96 DPI are converted with it
    int slotDpi = 96;  // the DPI the slot was read at, before the window existed
    WindowIcons icons;
    HWND statusBar = nullptr;
    HWND clockWindow = nullptr;
    bool minimized = false;
    DesignObjects objects;
    GdiObject wallpaper;
    int wallpaperMode = 2;  // 2 natural size, 1 stretched to the client
    SIZE wallpaperSize{};
    Menus menus;
    std::unique_ptr<RangeViewWindow> rangeView;  // made when the view first opens
    std::unique_ptr<DayScheduleWindow> daySchedule;  // the last one opened
    std::unique_ptr<BirthdayWindow> birthdays;       // the last one opened
    // Input state.
    bool rightReleaseInTopBand = false;
    bool mouseCaptured = false;
    bool keyboardMenuPending = false;
    bool contextMenuPending = false;
    bool contextMenuFromStatusBar = false;

    SharedSettings& shared() const { return *process.settings; }
    WindowStyle& style() const { return shared().style[windowKindInfo(WindowKind::Calendar).style]; }
    DesignSet& design() const { return shared().design[windowKindInfo(WindowKind::Calendar).design]; }
    const DateFormatSet& dateFormats() const {
        return shared().dateFormats[windowKindInfo(WindowKind::Calendar).dateFormats];
    }
    EnvironmentSettings& env() const { return shared().env; }

private:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace tavo::shell
