// The range view over arbitrary data files: no crash, headers only where a date starts.
#include <memory>

#include "calendar/calc/closed_days.h"
#include "calendar/data/range_list.h"
#include "calendar/text/date_format_set.h"
#include "calendar/text/locale_info.h"
#include "fuzz_input.h"
#include "shared/memory_file_system.h"
#include "shared/memory_settings_store.h"
#include "shared/window_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const char* const kFiles[] = {"sch2026c.cal", "sch20271.cal", "schedulc.cal", "schedule.cal", "schedulf.cal",
                                         "schedull.cal", "schedulw.cal", "birthdac.cal", "aniversc.cal", "memo.cal",
                                         "DOff2026.cal", "Holiday2.Dat"};
    tavo::fuzz::Input in(data, size);
    const int day = in.number(1, 31), before = in.number(0, 99), after = in.number(0, 99), type = in.number(0, 2);
    tavo::MemoryFileSystem files;
    for (const char* name : kFiles) files.files[std::string("D:\\t\\") + name] = in.text();
    tavo::PathSettings paths{};
    tavo::initPathDefaults(paths, "D:\\t\\Tavo.exe", "C:\\Windows");
    auto closed = std::make_unique<tavo::ClosedDays>();
    tavo::resetClosedDays(*closed);
    tavo::MemorySettingsStore store;
    tavo::loadClosedDays(*closed, files, paths.programFolder, store);
    tavo::EnvironmentSettings env{};
    tavo::resetEnvironment(env, paths.programFolder);
    tavo::DateFormatSet formats{};
    tavo::resetDateFormatSet(formats, 1);
    const tavo::JapaneseLocale locale;
    const tavo::RangeRequest request{2026, 12, day, {type, before, after}, day % 2 == 0, false, formats, locale, {}, day % 3 == 0};
    const tavo::DataSources sources{files, paths, *closed, env};
    const tavo::RangeList list = tavo::collectRange(request, sources);
    if (list.firstLine < 0 || list.firstLine > static_cast<int>(list.size())) __builtin_trap();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const tavo::RangeLine line = list.line(i);
        if (line.header && (line.dayKind > 5 || line.mark > 2)) __builtin_trap();
    }
    bool hasData = false;
    for (std::size_t i = 0; i < list.size(); ++i) hasData = hasData || !list.line(i).header;
    if (tavo::rangeHasData(request, sources) != hasData) __builtin_trap();
    return 0;
}
