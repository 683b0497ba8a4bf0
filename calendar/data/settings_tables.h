// Every settings record of the programs beside its table: the list the
// settings tests walk, so a new record is checked as soon as it is listed.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "design_set.h"
#include "shared/settings_table.h"

namespace tavo {

struct SettingsRecordTable {
    std::string name;
    std::size_t bytes;  // the size of the record the table describes
    SettingsTable table;
};

std::vector<SettingsRecordTable> allSettingsTables(DesignMetrics metrics);

}  // namespace tavo
