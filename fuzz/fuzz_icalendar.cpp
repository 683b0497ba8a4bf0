// iCalendar text of any content: the reader never fails hard, occurrences lie
// in the span and in order, and importing the same calendar twice adds nothing
// the second time.
#include <string>

#include "calendar/data/icalendar_import.h"
#include "calendar/data/path_settings.h"
#include "shared/date_math.h"
#include "shared/memory_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const tavo::IcsCalendar calendar = tavo::readICalendar(text);
    const int first = tavo::serialDayOf(2026, 11, 20), last = tavo::serialDayOf(2027, 1, 10);
    const auto occurrences = tavo::icsOccurrences(calendar, first, last);
    for (std::size_t i = 0; i < occurrences.size(); ++i) {
        if (occurrences[i].serial < first || occurrences[i].serial > last) __builtin_trap();
        if (i > 0 && occurrences[i].serial < occurrences[i - 1].serial) __builtin_trap();
    }
    tavo::PathSettings paths{};
    tavo::initPathDefaults(paths, "C:\\Tavo\\Tavo.exe", "C:\\Windows");
    tavo::MemoryFileSystem files;
    const tavo::IcsImport once = tavo::importICalendar(files, paths, calendar, first, last);
    if (!once.saved) return 0;
    const auto before = files.files;
    const tavo::IcsImport twice = tavo::importICalendar(files, paths, calendar, first, last);
    if (!twice.saved || twice.added != 0 || files.files != before) __builtin_trap();
    return 0;
}
