// The calendar's outward actions: the user's program on a data file, and the
// help pages in the user's browser.
#pragma once

#include <windows.h>

#include <string>

#include "calendar/data/path_settings.h"

namespace tavo::shell {

// Starts the external command on the file; says so, with the command, when it cannot.
bool runExternalProgram(HWND owner, const PathSettings& paths, const std::string& file);
// Opens a page of the help folder beside the program; says so when it cannot.
void openHelpPage(HWND owner, const PathSettings& paths, const char* page, int showCommand);

}  // namespace tavo::shell
