#include "window_kinds.h"

#include "window_settings.h"

namespace tavo {
namespace {

constexpr WindowKindInfo kKinds[kWindowKindCount] = {
    {WindowKind::Calendar, L"Tavo", kSlotCalendar, kCalendarStyle, 0, 0},
    {WindowKind::RangeView, L"WScv", kSlotRangeView, kRangeViewStyle, 1, 1},
    {WindowKind::DaySchedule, L"WSch", kSlotSchedule, -1, -1, 1},
    {WindowKind::Birthday, L"WBir", kSlotBirthday, -1, -1, 1},
    {WindowKind::Tray, L"TavoTray", -1, -1, -1, -1},
    {WindowKind::Clock, L"HorvikMainClass", -1, -1, -1, -1},
};

}  // namespace

const WindowKindInfo& windowKindInfo(WindowKind kind) { return kKinds[static_cast<unsigned>(kind)]; }

}  // namespace tavo
