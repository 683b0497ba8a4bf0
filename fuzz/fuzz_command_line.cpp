// Command lines of any length and content.
#include "calendar/data/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tavo::CommandLineDate date;
    if (tavo::commandLineDate(std::string_view(reinterpret_cast<const char*>(data), size), date)) {
        if (date.month < 0 || date.year < 0) __builtin_trap();
    }
    return 0;
}
