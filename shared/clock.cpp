#include "clock.h"

#include <ctime>

#include "date_math.h"

namespace tavo {
namespace {

class SystemClock final : public Clock {
public:
    LocalDate today() const override {
        const std::tm local = localNow();
        return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    }
    Minutes now() const override {
        const std::tm local = localNow();
        return minutesOf({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}, local.tm_hour * 60 + local.tm_min);
    }

private:
    static std::tm localNow() {
        const std::time_t now = std::time(nullptr);
        const std::tm* local = std::localtime(&now);  // single UI thread
        if (local != nullptr) return *local;
        std::tm fallback{};  // 2000-01-01
        fallback.tm_mday = 1;
        fallback.tm_year = 100;
        return fallback;
    }
};

const SystemClock systemClock;
const Clock* currentClock = &systemClock;

}  // namespace

void setClock(const Clock* clock) { currentClock = clock ? clock : &systemClock; }

LocalDate clockToday() { return currentClock->today(); }

Minutes clockNow() { return currentClock->now(); }

Minutes minutesOf(LocalDate date, int minuteOfDay) {
    return minutesAt(serialDayOf(date.year, date.month, date.day), minuteOfDay);
}

Minutes FixedClock::now() const { return minutesOf(date_, minute_); }

}  // namespace tavo
