#include "calendar_date.h"

#include "clock.h"
#include "date_math.h"

namespace tavo {

CalendarDate::CalendarDate() : year_(0), month_(0), day_(0) { setToday(); }

CalendarDate::CalendarDate(int year, int month, int day) : year_(year), month_(month), day_(day) {}

void CalendarDate::clearAllCaches() {
    weekdayValid_ = leapValid_ = monthLengthValid_ = yearLengthValid_ = false;
    todayValid_ = serialValid_ = fromTodayValid_ = false;
}

void CalendarDate::assign(int year, int month, int day) {
    year_ = year;
    month_ = month;
    day_ = day;
    clearAllCaches();
    onFieldsChanged(kDayChanged | kMonthChanged | kYearChanged);
}

void CalendarDate::fillToday() {
    if (todayValid_) return;
    const LocalDate today = clockToday();
    todayYear_ = today.year;
    todayMonth_ = today.month;
    todayDay_ = today.day;
    todaySerial_ = serialDayOf(today.year, today.month, today.day);
    todayValid_ = true;
}

void CalendarDate::setToday() {
    fillToday();
    year_ = todayYear_;
    month_ = todayMonth_;
    day_ = todayDay_;
    weekdayValid_ = leapValid_ = monthLengthValid_ = yearLengthValid_ = false;
    serialValid_ = false;
    fromToday_ = 0;
    fromTodayValid_ = true;
    onFieldsChanged(kDayChanged | kMonthChanged | kYearChanged);
}

int CalendarDate::setDay(int d) {
    const int old = day_;
    if (d == old) return old;
    if (weekdayValid_) weekday_ = (d + weekday_ - old + 35) % 7;
    moveSerial(d - old);
    day_ = d;
    onFieldsChanged(kDayChanged);
    return old;
}

int CalendarDate::weekday() {
    if (!weekdayValid_) {
        weekday_ = weekdayOf(year_, month_, day_);
        weekdayValid_ = true;
    }
    return weekday_;
}

bool CalendarDate::isLeapYear() {
    if (!leapValid_) {
        leap_ = tavo::isLeapYear(year_);
        leapValid_ = true;
    }
    return leap_;
}

int CalendarDate::monthLength() {
    if (!monthLengthValid_) {
        monthLength_ = monthLengthOf(year_, month_);
        monthLengthValid_ = true;
    }
    return monthLength_;
}

int CalendarDate::yearLength() {
    if (!yearLengthValid_) {
        yearLength_ = isLeapYear() ? 366 : 365;
        yearLengthValid_ = true;
    }
    return yearLength_;
}

int CalendarDate::serialDay() {
    if (!serialValid_) {
        serial_ = serialDayOf(year_, month_, day_);
        serialValid_ = true;
    }
    return serial_;
}

int CalendarDate::todaySerialDay() {
    fillToday();
    return todaySerial_;
}

int CalendarDate::todayYear() { fillToday(); return todayYear_; }
int CalendarDate::todayMonth() { fillToday(); return todayMonth_; }
int CalendarDate::todayDay() { fillToday(); return todayDay_; }

int CalendarDate::daysFromToday() {
    if (!fromTodayValid_) {
        fromToday_ = serialDay() - todaySerialDay();
        fromTodayValid_ = true;
    }
    return fromToday_;
}

void CalendarDate::moveSerial(int delta) {
    if (serialValid_) serial_ += delta;
    if (fromTodayValid_) fromToday_ += delta;
}

// A month change: the weekday is dropped, the month length recomputed,
// and the year-dependent caches dropped when the year changes.
void CalendarDate::setMonthFields(int year, int month, int day) {
    unsigned changes = kMonthChanged;
    if (day != day_) changes |= kDayChanged;
    if (year != year_) {
        changes |= kYearChanged;
        leapValid_ = yearLengthValid_ = false;
    }
    year_ = year;
    month_ = month;
    day_ = day;
    weekdayValid_ = false;
    monthLength_ = monthLengthOf(year, month);
    monthLengthValid_ = true;
    onFieldsChanged(changes);
}

int CalendarDate::nextDay() {
    if (day_ < monthLength()) {
        if (weekdayValid_) weekday_ = (weekday_ + 1) % 7;
        moveSerial(1);
        ++day_;
        onFieldsChanged(kDayChanged);
        return day_;
    }
    if (stepMonthForward() == 0) return 0;
    return day_;
}

int CalendarDate::prevDay() {
    if (day_ > 1) {
        if (weekdayValid_) weekday_ = (weekday_ + 6) % 7;
        moveSerial(-1);
        --day_;
        onFieldsChanged(kDayChanged);
        return day_;
    }
    if (year_ == kFirstYear && month_ == 10) return 0;
    const int y = month_ == 1 ? year_ - 1 : year_;
    const int m = month_ == 1 ? 12 : month_ - 1;
    moveSerial(-1);
    setMonthFields(y, m, monthLengthOf(y, m));
    return day_;
}

// From the last day of a month to day 1 of the next.
int CalendarDate::stepMonthForward() {
    if (year_ == kLastYear && month_ == 12) return 0;
    moveSerial(1);
    if (month_ == 12) setMonthFields(year_ + 1, 1, 1);
    else setMonthFields(year_, month_ + 1, 1);
    return 1;
}

int CalendarDate::nextWeek() {
    const int length = monthLength();
    if (day_ + 7 <= length) {
        moveSerial(7);
        day_ += 7;
        onFieldsChanged(kDayChanged);
        return day_;
    }
    if (year_ == kLastYear && month_ == 12) return 0;
    const int y = month_ == 12 ? year_ + 1 : year_;
    const int m = month_ == 12 ? 1 : month_ + 1;
    moveSerial(7);
    setMonthFields(y, m, day_ + 7 - length);
    return day_;
}

int CalendarDate::prevWeek() {
    if (day_ > 7) {
        moveSerial(-7);
        day_ -= 7;
        onFieldsChanged(kDayChanged);
        return day_;
    }
    if (year_ == kFirstYear && month_ == 10) return 0;
    const int y = month_ == 1 ? year_ - 1 : year_;
    const int m = month_ == 1 ? 12 : month_ - 1;
    moveSerial(-7);
    setMonthFields(y, m, day_ + monthLengthOf(y, m) - 7);
    return day_;
}

int CalendarDate::nextMonth() {
    if (year_ == kLastYear && month_ == 12) return 0;
    const int leftLength = monthLength();
    const int y = month_ == 12 ? year_ + 1 : year_;
    const int m = month_ == 12 ? 1 : month_ + 1;
    const int newLength = monthLengthOf(y, m);
    const int d = day_ < newLength ? day_ : newLength;
    moveSerial(leftLength + d - day_);
    setMonthFields(y, m, d);
    return month_;
}

int CalendarDate::prevMonth() {
    if (year_ == kFirstYear && month_ == 10) return 0;
    const int y = month_ == 1 ? year_ - 1 : year_;
    const int m = month_ == 1 ? 12 : month_ - 1;
    const int enteredLength = monthLengthOf(y, m);
    const int d = day_ < enteredLength ? day_ : enteredLength;
    moveSerial(-(enteredLength + day_ - d));
    setMonthFields(y, m, d);
    return month_;
}

int CalendarDate::nextYear() {
    if (year_ == kLastYear) return 0;
    const int y = year_ + 1;
    const int d = (month_ == 2 && day_ == 29 && !tavo::isLeapYear(y)) ? 28 : day_;
    // From March on the step crosses February of the later year.
    const int crossed = month_ > 2 ? yearLengthOf(y) : yearLengthOf(year_);
    moveSerial(crossed + d - day_);
    setMonthFields(y, month_, d);
    return year_;
}

int CalendarDate::prevYear() {
    if (year_ == kFirstYear || (year_ == kFirstYear + 1 && month_ < 10)) return 0;
    const int y = year_ - 1;
    const int d = (month_ == 2 && day_ == 29 && !tavo::isLeapYear(y)) ? 28 : day_;
    const int crossed = month_ > 2 ? yearLengthOf(year_) : yearLengthOf(y);
    moveSerial(-crossed + d - day_);
    setMonthFields(y, month_, d);
    return year_;
}

AddDaysResult CalendarDate::restoreAfterFailedAdd(int year, int month, int day) {
    assign(year, month, day);
    return kAddDaysBeforeStart;
}

// Moves by whole years, then months, then days, so large offsets stay cheap.
AddDaysResult CalendarDate::addDays(int n) {
    if (n == 0) return kAddDaysOk;
    const int startYear = year_, startMonth = month_, startDay = day_;
    const long long target = static_cast<long long>(serialDay()) + n;
    fromTodayValid_ = false;
    setDay(1);
    while (target < serial_) {
        if (year_ == kFirstYear || (year_ == kFirstYear + 1 && month_ < 10)) break;
        prevYear();
    }
    while (serial_ < target) {
        if (nextYear() != 0) continue;
        if (nextMonth() != 0) continue;
        if (nextDay() == 0) return kAddDaysHitEnd;
    }
    while (target < serial_) {
        if (prevMonth() == 0) return restoreAfterFailedAdd(startYear, startMonth, startDay);
    }
    // Day stepping near the end of the range may have left day_ above 1.
    setDay(day_ + static_cast<int>(target - serial_));
    return kAddDaysOk;
}

int CalendarDate::moveToWeekday(int target, bool mondayFirst, bool crossMonth) {
    const int current = weekday();
    if (current == target) return -1;
    const int t = (mondayFirst && target == 0) ? 7 : target;
    const int c = (mondayFirst && current == 0) ? 7 : current;
    const int delta = t - c;
    const int newDay = day_ + delta;
    const bool inside = newDay >= 1 && newDay <= monthLength();
    if (inside == crossMonth) return -1;
    if (inside) {
        setDay(newDay);
        return current;
    }
    const int oldSerial = serial_, oldFromToday = fromToday_;
    const bool hadSerial = serialValid_, hadFromToday = fromTodayValid_;
    if (newDay < 1) {
        if (prevMonth() == 0) return -1;
        setMonthFields(year_, month_, newDay + monthLength());
    } else {
        const int length = monthLength();
        if (nextMonth() == 0) return -1;
        setMonthFields(year_, month_, newDay - length);
    }
    serial_ = oldSerial + delta;
    serialValid_ = hadSerial;
    fromToday_ = oldFromToday + delta;
    fromTodayValid_ = hadFromToday;
    weekday_ = target;
    weekdayValid_ = true;
    return current;
}

DateCheck CalendarDate::checkDateShort() const {
    if (year_ > kLastYear) return kDateYearTooLarge;
    if (month_ < 1 || month_ > 12) return kDateBadMonth;
    if (day_ <= 0 || day_ > monthLengthOf(year_, month_)) return kDateBadDay;
    return kDateOk;
}

DateCheck CalendarDate::checkDate() const {
    const DateCheck basic = checkDateShort();
    if (basic != kDateOk) return basic;
    switch (checkGregorianStart()) {
        case 1: return kDateYearTooSmall;
        case 2: return kDateBeforeOctober1582;
        case 3: return kDateBeforeGregorianStart;
        default: return kDateOk;
    }
}

int CalendarDate::checkGregorianStart() const {
    if (year_ < kFirstYear) return 1;
    if (year_ == kFirstYear && month_ < 10) return 2;
    if (year_ == kFirstYear && month_ == 10 && day_ < 15) return 3;
    return 0;
}

bool CalendarDate::isStillToday() {
    fillToday();
    const LocalDate now = clockToday();
    return now.year == todayYear_ && now.month == todayMonth_ && now.day == todayDay_;
}

}  // namespace tavo
