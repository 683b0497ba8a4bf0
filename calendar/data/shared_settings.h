// The settings block shared by the calendar and the options library through
// the named mapping "TavoShareMem". One fixed layout, checked at compile time,
// so that the two programs can never disagree about it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "calendar/calc/closed_days.h"
#include "calendar/data/path_settings.h"
#include "calendar/data/design_set.h"
#include "calendar/text/date_format_set.h"
#include "shared/window_settings.h"
#include "shared/almanac_settings.h"
#include "shared/reminder_settings.h"
#include "shared/sync_settings.h"

namespace tavo {

inline constexpr wchar_t kSharedSettingsName[] = L"TavoShareMem";

struct OptionsDate {
    std::int32_t day, month, year;
};

struct SharedSettings {
    OptionsDate optionsDate;  // the selected date, set before the options open
    AlmanacSettings almanac;  // in what was spare room: the layout after it is unchanged
    ClosedDays closedDays;
    std::int32_t dateFormatSelector;
    PathSettings paths;
    DesignSet design[2];  // calendar, range view
    DateFormatSet dateFormats[2];
    WindowStyle style[2];
    EnvironmentSettings env;
    PopupMenuFlags menu;
    RangeViewSettings range;
    ReminderSettings reminders;  // after everything else: no offset before it moves
    SyncSettings sync;
};

static_assert(sizeof(SharedSettings) == 35124 + sizeof(ReminderSettings) + sizeof(SyncSettings));
static_assert(offsetof(SharedSettings, closedDays) == 24);
static_assert(offsetof(SharedSettings, dateFormatSelector) == 23584);
static_assert(offsetof(SharedSettings, paths) == 23588);
static_assert(offsetof(SharedSettings, design) == 27232);
static_assert(offsetof(SharedSettings, dateFormats) == 31296);
static_assert(offsetof(SharedSettings, style) == 34152);
static_assert(offsetof(SharedSettings, env) == 34824);
static_assert(offsetof(SharedSettings, menu) == 35100);
static_assert(offsetof(SharedSettings, range) == 35112);

}  // namespace tavo
