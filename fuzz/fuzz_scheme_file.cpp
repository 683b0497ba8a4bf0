// Scheme files and registry colour lists of any content: lists always end at
// their first -1 and a written scheme reads back the same.
#include <cstring>

#include "calendar/render/design.h"
#include "fuzz_input.h"
#include "shared/memory_settings_store.h"

namespace {

void checkLists(const tavo::DesignSet& d) {
    for (int part = 0; part < tavo::kDesignParts; ++part)
        for (int role = 0; role < 2; ++role)
            for (int state = 0; state < 2; ++state) {
                bool ended = false;
                for (int k = 0; k < tavo::kDayKinds; ++k) {
                    const int c = d.colour[part][k][role][state];
                    if (ended && c != tavo::kNoColour) __builtin_trap();
                    ended = ended || c == tavo::kNoColour;
                }
            }
    for (const auto& part : d.faceName)
        for (const auto& face : part)
            if (std::strlen(face) > 31) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tavo::fuzz::Input in(data, size);
    const auto set = static_cast<tavo::DesignSetKind>(in.number(0, 1));
    // A registry with list values from the input.
    tavo::MemorySettingsStore store;
    for (int i = 0; i < 6; ++i) store.set("NoSchedule", "colorbn" + std::to_string(i), in.number(-2, 16777215));
    store.set("YearMon", "typen", in.text());
    tavo::DesignSet fromRegistry{};
    tavo::readDesignSet(fromRegistry, set, store, {19, 15});
    checkLists(fromRegistry);

    tavo::DesignSet d{};
    tavo::resetDesignSet(d, set, {19, 15});
    std::array<std::int32_t, 16> custom{};
    tavo::parseSchemeFile(d, set, in.rest(), {19, 15}, &custom);
    checkLists(d);
    const std::string written = tavo::formatSchemeFile(d, set, custom);
    tavo::DesignSet back = d;
    tavo::parseSchemeFile(back, set, written, {19, 15}, nullptr);
    if (tavo::formatSchemeFile(back, set, custom) != written) __builtin_trap();
    return 0;
}
