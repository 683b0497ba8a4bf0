// Birthday and anniversary files: parse, write, parse again gives the same entries.
#include "calendar/data/personal_days.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tavo::fuzz::Input in(data, size);
    const int seenFrom = in.number(1582, 9999);
    std::vector<tavo::PersonalEntry> entries = tavo::parsePersonalDays(in.rest());
    for (const tavo::PersonalEntry& e : entries) {
        const int day = e.day >= 1 && e.day <= 31 ? e.day : 1;
        for (int kind : {tavo::kBirthday, tavo::kAnniversary})
            for (int style = 0; style <= 4; ++style)
                (void)tavo::personalEntryText(static_cast<tavo::PersonalDayKind>(kind), {day, e.year % 10000, e.name}, 1,
                                              seenFrom, style);
    }
    const std::string written = tavo::formatPersonalDays(entries);
    const std::vector<tavo::PersonalEntry> again = tavo::parsePersonalDays(written);
    if (tavo::formatPersonalDays(again) != written) __builtin_trap();
    if (again.size() != entries.size()) __builtin_trap();
    return 0;
}
