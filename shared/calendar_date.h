// The calendar's date value: a proleptic Gregorian date between 15 October
// 1582 and 31 December 9999 with lazily filled, flag-guarded caches.
// Invariant: a cache whose flag is set equals what the formulas give for
// the current fields; every change of the fields keeps or clears each cache.
#pragma once

namespace tavo {

// Results of checkDate: first failing test wins.
enum DateCheck : int {
    kDateOk = 0,
    kDateYearTooLarge = 1,
    kDateBadMonth = 2,
    kDateBadDay = 3,
    kDateYearTooSmall = 4,
    kDateBeforeOctober1582 = 5,
    kDateBeforeGregorianStart = 6,
};

// Results of addDays.
enum AddDaysResult : int { kAddDaysOk = 0, kAddDaysHitEnd = 1, kAddDaysBeforeStart = 2 };

class CalendarDate {
public:
    CalendarDate();  // today
    CalendarDate(int year, int month, int day);
    virtual ~CalendarDate() = default;
    CalendarDate(const CalendarDate&) = default;
    CalendarDate& operator=(const CalendarDate&) = default;

    int year() const { return year_; }
    int month() const { return month_; }
    int day() const { return day_; }

    // Reads the clock (once) and moves to today.
    void setToday();
    // Replaces the day within the month; returns the old day. 1 <= d <= monthLength.
    int setDay(int d);

    int weekday();
    bool isLeapYear();
    int monthLength();
    int yearLength();
    int serialDay();
    int todaySerialDay();
    int daysFromToday();
    int todayYear();
    int todayMonth();
    int todayDay();

    // Steps return the new day, month or year, or 0 when refused (nothing changes).
    int nextDay();
    int prevDay();
    int nextWeek();
    int prevWeek();
    int nextMonth();
    int prevMonth();
    int nextYear();
    int prevYear();
    AddDaysResult addDays(int n);
    // Returns the old weekday, or -1 when already there or refused.
    int moveToWeekday(int target, bool mondayFirst, bool crossMonth);

    DateCheck checkDate() const;
    DateCheck checkDateShort() const;  // 0..3 only
    int checkGregorianStart() const;
    // True while the clock still shows the cached today.
    bool isStillToday();
    // Forgets the cached today, so the next use reads the clock again.
    void refreshToday() { todayValid_ = fromTodayValid_ = false; }

    // Cache flags, exposed for tests of the invariant.
    bool weekdayCached() const { return weekdayValid_; }
    bool serialCached() const { return serialValid_; }
    bool fromTodayCached() const { return fromTodayValid_; }
    bool monthLengthCached() const { return monthLengthValid_; }
    bool leapCached() const { return leapValid_; }
    bool yearLengthCached() const { return yearLengthValid_; }

protected:
    enum Change : unsigned { kDayChanged = 1, kMonthChanged = 2, kYearChanged = 4 };
    // Lets derived values drop caches that depend on the fields.
    virtual void onFieldsChanged(unsigned /*changes*/) {}
    void clearAllCaches();
    void assign(int year, int month, int day);  // fields and every cache

private:
    void fillToday();
    void moveSerial(int delta);
    void setMonthFields(int year, int month, int day);
    int stepMonthForward();
    int stepMonthBack();
    AddDaysResult restoreAfterFailedAdd(int year, int month, int day);

    int year_;
    int month_;
    int day_;
    int todayYear_ = 0;
    int todayMonth_ = 0;
    int todayDay_ = 0;
    int weekday_ = 0;
    int monthLength_ = 0;
    int yearLength_ = 0;
    int serial_ = 0;
    int todaySerial_ = 0;
    int fromToday_ = 0;
    bool weekdayValid_ = false;
    bool leap_ = false;
    bool leapValid_ = false;
    bool monthLengthValid_ = false;
    bool yearLengthValid_ = false;
    bool todayValid_ = false;
    bool serialValid_ = false;
    bool fromTodayValid_ = false;
};

}  // namespace tavo
