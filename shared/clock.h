// Today's date comes through here so tests and tools can fix "today".
#pragma once

#include "minutes.h"

namespace tavo {

struct LocalDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const LocalDate&, const LocalDate&) = default;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDate today() const = 0;
    // The local time to the minute: today's serial day and the minute of the day.
    virtual Minutes now() const = 0;
};

// A clock that always answers the same date.
class FixedClock final : public Clock {
public:
    explicit FixedClock(LocalDate date, int minuteOfDay = 0) : date_(date), minute_(minuteOfDay) {}
    LocalDate today() const override { return date_; }
    Minutes now() const override;
    void set(LocalDate date, int minuteOfDay = 0) { date_ = date, minute_ = minuteOfDay; }

private:
    LocalDate date_;
    int minute_;
};

// The process-wide clock; nullptr restores the local system clock.
void setClock(const Clock* clock);
LocalDate clockToday();
Minutes clockNow();
// The moment of a local date and minute.
Minutes minutesOf(LocalDate date, int minuteOfDay);

}  // namespace tavo
