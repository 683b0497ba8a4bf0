// The date a command line names: a day schedule file (its month, day 1) or a
// ten-character date such as 2005/07/09.
#pragma once

#include <string_view>

namespace tavo {

struct CommandLineDate {
    int year = 0, month = 0, day = 0;
};

// False when the line names no date (today is used then).
bool commandLineDate(std::string_view line, CommandLineDate& date);

}  // namespace tavo
