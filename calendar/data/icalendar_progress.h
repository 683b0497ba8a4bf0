// How far a long iCalendar export or import has come.
#pragma once

#include <functional>

namespace tavo {

// Told done of total from time to time; returning false stops the work.
using IcsProgress = std::function<bool(int done, int total)>;

}  // namespace tavo
