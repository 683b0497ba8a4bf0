#include "settings_tables.h"

#include "calendar/calc/closed_days.h"
#include "calendar/text/date_format_set.h"
#include "path_settings.h"
#include "personal_days.h"
#include "shared/almanac_settings.h"
#include "shared/find_settings.h"
#include "shared/reminder_settings.h"
#include "shared/sync_settings.h"
#include "shared/window_settings.h"
#include "shared/year_settings.h"

namespace tavo {

std::vector<SettingsRecordTable> allSettingsTables(DesignMetrics metrics) {
    std::vector<SettingsRecordTable> records = {
        {"cstyle", sizeof(WindowStyle), windowStyleTable(kCalendarStyle)},
        {"sstyle", sizeof(WindowStyle), windowStyleTable(kRangeViewStyle)},
        {"env", sizeof(EnvironmentSettings), environmentTable()},
        {"menu", sizeof(PopupMenuFlags), popupMenuTable()},
        {"scv", sizeof(RangeViewSettings), rangeViewTable()},
        {"holi", sizeof(ClosedDays), closedDaySwitchTable()},
        {"dir", sizeof(PathSettings), folderSettingsTable()},
        {"date formats 0", sizeof(DateFormatSet), dateFormatTable(0)},
        {"date formats 1", sizeof(DateFormatSet), dateFormatTable(1)},
        {"date\\birth", sizeof(SoundPlayedDate), soundPlayedDateTable()},
        {"design 0", sizeof(DesignSet), designSettingsTable(kCalendarDesign, metrics)},
        {"design 1", sizeof(DesignSet), designSettingsTable(kRangeViewDesign, metrics)},
        {"almanac", sizeof(AlmanacSettings), almanacTable()},
        {"remind", sizeof(ReminderSettings), reminderTable()},
        {"sync", sizeof(SyncSettings), syncTable()},
        {"custcolor", sizeof(CustomColours), customColourTable()},
        {"options dialog", sizeof(OptionsDialogSettings), optionsDialogTable()},
        {"find", sizeof(FindSettings), findTable()},
        {"year", sizeof(YearViewSettings), yearViewTable()},
        {"print", sizeof(PrintSettings), printTable()},
    };
    for (int slot = 0; slot < 4; ++slot)
        records.push_back({"slot " + std::to_string(slot), sizeof(WindowSlots), windowSlotTable(slot)});
    return records;
}

}  // namespace tavo
