// Per-day costs of the date value over the whole supported range.
#include <benchmark/benchmark.h>

#include "shared/calendar_day.h"

namespace {

constexpr int kDaysInRange = 3652365 - 578042 + 1;

// Stepping with every cache the month view asks for.
void BM_WalkEveryDay(benchmark::State& state) {
    for (auto _ : state) {
        tavo::CalendarDay d(1582, 10, 15);
        long long sum = 0;
        do {
            sum += d.weekday() + d.serialDay() + d.monthLength() + d.era() + d.rokuyo();
        } while (d.nextDay() != 0);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kDaysInRange);
}
BENCHMARK(BM_WalkEveryDay)->Unit(benchmark::kMillisecond);

void BM_AddDaysAcrossTheRange(benchmark::State& state) {
    for (auto _ : state) {
        tavo::CalendarDate d(1582, 10, 15);
        benchmark::DoNotOptimize(d.addDays(kDaysInRange - 1));
    }
}
BENCHMARK(BM_AddDaysAcrossTheRange);

}  // namespace

BENCHMARK_MAIN();
