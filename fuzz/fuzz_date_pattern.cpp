// Any pattern on any date: never an overrun, never more than 259 bytes, never half a character.
#include "calendar/text/date_pattern.h"
#include "calendar/text/locale_info.h"
#include "fuzz_input.h"
#include "shared/cp932.h"
#include "shared/date_math.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tavo::fuzz::Input in(data, size);
    const int year = in.number(1582, 9999), month = in.number(1, 12);
    const int day = in.number(1, tavo::monthLengthOf(year, month));
    tavo::DayDate d = tavo::dayDate(year, month, day);
    d.weekday = tavo::weekdayOf(year, month, day);
    d.fromToday = in.number(-3000000, 3000000);
    const std::string pattern(in.rest());
    const tavo::JapaneseLocale locale;
    for (const std::string& text : {tavo::formatDatePattern(pattern, d, locale), tavo::formatYearMonthPattern(pattern, d, locale),
                                    tavo::formatWeekdayPattern(pattern, d.weekday, locale)}) {
        if (text.size() > 259) __builtin_trap();
        if (tavo::cp932FitLength(text, text.size()) != text.size()) __builtin_trap();
    }
    return 0;
}
