#include "calendar_day.h"

#include "era.h"
#include "rokuyo.h"

namespace tavo {

const char* englishMonthName(int month) {
    static const char* const kNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                           "July",    "August",   "September", "October", "November", "December"};
    if (month < 1 || month > 12) return "";
    return kNames[month - 1];
}

void CalendarDay::onFieldsChanged(unsigned changes) {
    if (changes & (kDayChanged | kMonthChanged | kYearChanged)) rokuyoValid_ = false;
    if (changes & kYearChanged) insideLunarValid_ = false;
    // The era can change within a year (and within a month), so it follows every change.
    eraValid_ = false;
}

void CalendarDay::fillEra() {
    if (eraValid_) return;
    const EraYear e = eraOf(year(), month(), day());
    era_ = e.era;
    eraYear_ = e.year;
    eraValid_ = true;
}

int CalendarDay::era() { fillEra(); return era_; }
int CalendarDay::eraYear() { fillEra(); return eraYear_; }

bool CalendarDay::insideLunarTable() {
    if (!insideLunarValid_) {
        insideLunar_ = tavo::insideLunarTable(year());
        insideLunarValid_ = true;
    }
    return insideLunar_;
}

int CalendarDay::rokuyo() {
    if (!rokuyoValid_) {
        rokuyo_ = insideLunarTable() ? rokuyoOf(year(), month(), day()) : -1;
        rokuyoValid_ = true;
    }
    return rokuyo_;
}

const char* CalendarDay::englishMonthName() { return tavo::englishMonthName(month()); }
const char* CalendarDay::eraName() { return tavo::eraName(era()); }
char CalendarDay::eraInitial() { return tavo::eraInitial(era()); }
const char* CalendarDay::rokuyoName() { return tavo::rokuyoName(rokuyo()); }

void ShownDate::onFieldsChanged(unsigned changes) {
    CalendarDay::onFieldsChanged(changes);
    if (changes & (kMonthChanged | kYearChanged)) firstWeekdayValid_ = false;
}

void ShownDate::setShown(int year, int month, int day) {
    assign(year, month, day);
    firstWeekdayValid_ = false;
    todayEraValid_ = false;
}

void ShownDate::setShownToday() {
    setToday();
    firstWeekdayValid_ = false;
}

int ShownDate::firstWeekday() {
    if (!firstWeekdayValid_) {
        firstWeekday_ = (weekday() - day() + 36) % 7;
        firstWeekdayValid_ = true;
    }
    return firstWeekday_;
}

int ShownDate::todayEra() {
    if (!todayEraValid_) {
        const EraYear e = eraOf(todayYear(), todayMonth(), todayDay());
        todayEra_ = e.era;
        todayEraYear_ = e.year;
        todayEraValid_ = true;
    }
    return todayEra_;
}

int ShownDate::todayEraYear() { todayEra(); return todayEraYear_; }

}  // namespace tavo
