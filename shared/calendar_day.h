// A CalendarDate that also caches its era, rokuyo and name texts.
#pragma once

#include "calendar_date.h"

namespace tavo {

class CalendarDay : public CalendarDate {
public:
    using CalendarDate::CalendarDate;

    int era();
    int eraYear();
    bool insideLunarTable();
    int rokuyo();  // -1 outside the lunar table
    const char* englishMonthName();
    const char* eraName();
    char eraInitial();
    const char* rokuyoName();  // two blanks outside the lunar table

protected:
    void onFieldsChanged(unsigned changes) override;

private:
    void fillEra();

    int era_ = 0;
    int eraYear_ = 0;
    int rokuyo_ = -1;
    bool insideLunar_ = false;
    bool eraValid_ = false;
    bool rokuyoValid_ = false;
    bool insideLunarValid_ = false;
};

// The calendar window's selected date: also caches the weekday of day 1.
class ShownDate : public CalendarDay {
public:
    using CalendarDay::CalendarDay;

    void setShown(int year, int month, int day);  // clears every cache
    void setShownToday();
    int firstWeekday();
    bool firstWeekdayCached() const { return firstWeekdayValid_; }
    // Today's era, cached with the today cache.
    int todayEra();
    int todayEraYear();

protected:
    void onFieldsChanged(unsigned changes) override;

private:
    int firstWeekday_ = 0;
    bool firstWeekdayValid_ = false;
    int todayEra_ = 0;
    int todayEraYear_ = 0;
    bool todayEraValid_ = false;
};

const char* englishMonthName(int month);

}  // namespace tavo
