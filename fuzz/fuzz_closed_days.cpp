// Holiday2.Dat as people edit it: parsing never overruns, and what the writer
// makes of the rules parses back to the same rules.
#include <cstring>
#include <memory>

#include "calendar/calc/closed_days.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto days = std::make_unique<tavo::ClosedDays>();
    tavo::resetClosedDays(*days);
    tavo::parseClosedDayRules(*days, std::string_view(reinterpret_cast<const char*>(data), size));
    const int count = tavo::closedDayRuleCount(*days);
    if (count < 0 || count > tavo::kMaxClosedDayRules) __builtin_trap();
    for (int i = 0; i < count; ++i)
        if (std::strlen(days->rules[i].name) > 23 || std::strlen(days->rules[i].line) > 39) __builtin_trap();
    for (int m = 1; m <= 12; ++m)
        for (int d = 1; d <= 31; ++d) {
            char name[24];
            tavo::isClosedDay(*days, tavo::dayDate(2026, m, d), name);
            if (std::strlen(name) > 23) __builtin_trap();
            tavo::dayKindOf(*days, 2026, m, d <= 28 ? d : 28);
        }
    const std::string written = tavo::formatClosedDayRules(*days);
    auto again = std::make_unique<tavo::ClosedDays>();
    tavo::resetClosedDays(*again);
    tavo::parseClosedDayRules(*again, written);
    if (tavo::formatClosedDayRules(*again) != written) __builtin_trap();
    return 0;
}
