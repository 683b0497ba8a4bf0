// The options library: loaded by the calendar only while its dialog is open.
#include <windows.h>

#include "calendar/data/shared_settings.h"

extern "C" {

// Runs the options dialog on the calendar's settings block; returns 1 after
// OK and 0 after Cancel. No page exists yet, so there is nothing to change.
__declspec(dllexport) int TavoCust(tavo::SharedSettings* settings, unsigned char /*fromRangeView*/) {
    if (settings == nullptr) return 0;
    return 0;
}

}
