// Black-box tests move the time through the registry instead of the system
// clock, and count sounds instead of hearing them: only when TAVO_TEST_CLOCK
// is set in the environment. Values under HKCU\Software\Brenmor\Tavo\testclock:
// "today" (YYYYMMDD), "minute" (of the day), and the counters.
#pragma once

namespace tavo::win {

// True when the test clock was installed (TAVO_TEST_CLOCK is set).
bool installTestClock();
bool testClockInstalled();
// A switch a test sets where Wine cannot (e.g. "highcontrast"): false outside tests.
bool testSwitchOn(const wchar_t* name);
// Adds one to the counter (e.g. "played").
void countInTestClock(const wchar_t* counter);

}  // namespace tavo::win
