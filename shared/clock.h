// Today's date comes through here so tests and tools can fix "today".
#pragma once

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
};

// A clock that always answers the same date.
class FixedClock final : public Clock {
public:
    explicit FixedClock(LocalDate date) : date_(date) {}
    LocalDate today() const override { return date_; }
    void set(LocalDate date) { date_ = date; }

private:
    LocalDate date_;
};

// The process-wide clock; nullptr restores the local system clock.
void setClock(const Clock* clock);
LocalDate clockToday();

}  // namespace tavo
