#include "window_kinds.h"

#include "window_settings.h"

namespace tavo {
namespace {

constexpr WindowKindInfo kKinds[kWindowKindCount] = {
    {WindowKind::Calendar, L"Tavo", nullptr, kSlotCalendar, kCalendarStyle, 0, 0},
    {WindowKind::RangeView, L"WScv", nullptr, kSlotRangeView, kRangeViewStyle, 1, 1},
    {WindowKind::DaySchedule, L"WSch", nullptr, kSlotSchedule, -1, -1, 1},
    {WindowKind::Birthday, L"WBir", nullptr, kSlotBirthday, -1, -1, 1},
    {WindowKind::Tray, L"TavoTray", nullptr, -1, -1, -1, -1},
    {WindowKind::Clock, L"HorvikMainClass", nullptr, -1, -1, -1, -1},
    {WindowKind::Options, L"#32770", L"オプション(Tavo)", -1, -1, -1, -1},
    {WindowKind::Remind, L"TavoRemind", nullptr, -1, -1, -1, -1},
    {WindowKind::Find, L"TavoFind", nullptr, -1, -1, -1, -1},
    {WindowKind::Year, L"TavoYear", nullptr, -1, -1, 0, 0},
    {WindowKind::Preview, L"TavoPreview", nullptr, -1, -1, -1, -1},
};

}  // namespace

const WindowKindInfo& windowKindInfo(WindowKind kind) { return kKinds[static_cast<unsigned>(kind)]; }

}  // namespace tavo
