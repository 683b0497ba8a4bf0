// Classifying every day of the supported range: holiday result and day kind.
// The month view asks this for 42 cells on every paint.
#include <benchmark/benchmark.h>

#include <memory>

#include "calendar/calc/closed_days.h"
#include "calendar/calc/holidays.h"
#include "shared/calendar_date.h"

namespace {

constexpr int kDaysInRange = 3652365 - 578042 + 1;

void BM_ClassifyEveryDay(benchmark::State& state) {
    auto days = std::make_unique<tavo::ClosedDays>();
    tavo::resetClosedDays(*days);
    tavo::parseClosedDayRules(*days, "12/29 H01-R99 x\r\n12/30 H01-R99 x\r\n08/13 S01-R99 x\r\n");
    const tavo::HolidayChecker checker{true};
    for (auto _ : state) {
        tavo::CalendarDate d(1582, 10, 15);
        long long sum = 0;
        do {
            char name[tavo::kHolidayNameBytes];
            sum += tavo::isPublicHoliday(checker, tavo::dayDate(d.year(), d.month(), d.day()), name, true);
            sum += tavo::dayKindOf(*days, d.year(), d.month(), d.day());
        } while (d.nextDay() != 0);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kDaysInRange);
    state.counters["ns_per_day"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kDaysInRange,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ClassifyEveryDay)->Unit(benchmark::kMillisecond);

}  // namespace
