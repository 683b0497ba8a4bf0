#include "date_math.h"

namespace tavo {
namespace {

constexpr int kMonthLength[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int kWeekdayOffset[13] = {0, 0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
// Days from 1 March to the first of the month.
constexpr int kSerialOffset[13] = {0, 306, 337, 0, 31, 61, 92, 122, 153, 184, 214, 245, 275};

}  // namespace

int monthLengthOf(int year, int month) {
    if (month == 2 && isLeapYear(year)) return 29;
    return kMonthLength[month];
}

int weekdayOf(int year, int month, int day) {
    const int a = year - (month < 3 ? 1 : 0);  // years start in March
    return (a + a / 4 - a / 100 + a / 400 + kWeekdayOffset[month] + day) % 7;
}

int serialDayOf(int year, int month, int day) {
    const int a = year - (month < 3 ? 1 : 0);
    // a * 36525 stays below 2^31 for a <= 9999.
    return a * 36525 / 100 + a / 400 - a / 100 + kSerialOffset[month] + day;
}

void civilFromSerial(int serial, int& year, int& month, int& day) {
    // Estimate the March-based year, then correct by at most one.
    int a = static_cast<int>((static_cast<long long>(serial) * 400) / 146097);
    while (serialDayOf(a + 1, 3, 1) <= serial) ++a;
    while (serialDayOf(a, 3, 1) > serial) --a;
    int dayOfYear = serial - serialDayOf(a, 3, 1);  // 0..365 from 1 March
    int m = 3;
    int y = a;
    for (;;) {
        const int len = monthLengthOf(y, m);
        if (dayOfYear < len) break;
        dayOfYear -= len;
        if (++m == 13) { m = 1; ++y; }
    }
    year = y;
    month = m;
    day = dayOfYear + 1;
}

}  // namespace tavo
