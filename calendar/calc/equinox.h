// Days of the vernal (March) and autumnal (September) equinox in Japan.
#pragma once

namespace tavo {

inline constexpr int kEquinoxFirstYear = 1900;
inline constexpr int kEquinoxLastYear = 2150;

// Outside 1900..2150 these fall back to 20 March and 23 September.
int vernalEquinoxDay(int year);
int autumnalEquinoxDay(int year);

}  // namespace tavo
