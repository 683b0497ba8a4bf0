// The command line that starts the user's external program on a file, and
// the help pages shipped beside the program.
#pragma once

#include <string>
#include <string_view>

namespace tavo {

// "command file"; the file is quoted when it holds a blank. The command is
// quoted when it holds a blank and names a program file as a whole
// (commandIsAFile), so "C:\Program Files\editor.exe" starts that program; a
// command already quoted, or one with its own arguments, stays as written.
std::string externalCommandLine(std::string_view command, std::string_view file, bool commandIsAFile);

// Pages of the "help" folder beside the program.
inline constexpr const char* kHelpIndexPage = "index.html";
inline constexpr const char* kLatestVersionPage = "latest.html";
inline constexpr const char* kDayScheduleHelpPage = "schedule.html";
inline constexpr const char* kBirthdayHelpPage = "birthday.html";
std::string helpPagePath(std::string_view programFolder, std::string_view page);

}  // namespace tavo
