// The pattern formatter on long hostile patterns: time per pattern byte must
// stay flat from 10 k to 100 k characters (linear growth).
#include <benchmark/benchmark.h>

#include <string>

#include "calendar/text/date_pattern.h"
#include "calendar/text/locale_info.h"

namespace {

void formatPattern(benchmark::State& state, char letter) {
    const std::string pattern(static_cast<std::size_t>(state.range(0)), letter);
    const tavo::JapaneseLocale locale;
    tavo::DayDate date = tavo::dayDate(2026, 12, 8);
    date.weekday = 2;
    for (auto _ : state) benchmark::DoNotOptimize(tavo::formatDatePattern(pattern, date, locale));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_FormatRunOfA(benchmark::State& state) { formatPattern(state, 'a'); }
void BM_FormatRunOfD(benchmark::State& state) { formatPattern(state, 'd'); }
void BM_FormatRunOfY(benchmark::State& state) { formatPattern(state, 'y'); }

BENCHMARK(BM_FormatRunOfA)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FormatRunOfD)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FormatRunOfY)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
