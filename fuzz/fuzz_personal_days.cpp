// Birthday and anniversary files: parse, write, parse again gives the same
// entries; adding an entry to any file keeps every line and removing it again
// gives the old lines back.
#include "calendar/data/personal_days.h"
#include "fuzz_input.h"
#include "shared/file_system.h"

namespace {

std::vector<std::string_view> contents(std::string_view file) {
    std::vector<std::string_view> out;
    for (std::string_view line : tavo::fileLines(file)) out.push_back(tavo::lineContent(line));
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tavo::fuzz::Input in(data, size);
    const int seenFrom = in.number(1582, 9999);
    const int day = in.number(1, 31);
    const std::string_view file = in.rest();
    std::vector<tavo::PersonalEntry> entries = tavo::parsePersonalDays(file);
    for (const tavo::PersonalEntry& e : entries) {
        const int day = e.day >= 1 && e.day <= 31 ? e.day : 1;
        for (int kind : {tavo::kBirthday, tavo::kAnniversary})
            for (int style = 0; style <= 4; ++style)
                (void)tavo::personalEntryText(static_cast<tavo::PersonalDayKind>(kind), {day, e.year % 10000, e.name}, 1,
                                              seenFrom, style);
    }
    const std::string added = tavo::withPersonalEntry(file, {day, 0, "new"});
    const std::vector<tavo::PersonalEntry> withNew = tavo::parsePersonalDays(added);
    if (withNew.size() != entries.size() + 1) __builtin_trap();
    const int last = static_cast<int>(tavo::entriesOfDay(withNew, day).size()) - 1;
    if (contents(tavo::withoutPersonalEntry(added, day, last)) != contents(file)) __builtin_trap();
    const std::string written = tavo::formatPersonalDays(entries);
    const std::vector<tavo::PersonalEntry> again = tavo::parsePersonalDays(written);
    if (tavo::formatPersonalDays(again) != written) __builtin_trap();
    if (again.size() != entries.size()) __builtin_trap();
    return 0;
}
