#include "clock.h"

#include <ctime>

namespace tavo {
namespace {

class SystemClock final : public Clock {
public:
    LocalDate today() const override {
        const std::time_t now = std::time(nullptr);
        const std::tm* local = std::localtime(&now);  // single UI thread
        if (local == nullptr) return {2000, 1, 1};
        return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
    }
};

const SystemClock systemClock;
const Clock* currentClock = &systemClock;

}  // namespace

void setClock(const Clock* clock) { currentClock = clock ? clock : &systemClock; }

LocalDate clockToday() { return currentClock->today(); }

}  // namespace tavo
