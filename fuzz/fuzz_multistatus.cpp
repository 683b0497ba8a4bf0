// Any bytes as a server's multistatus answer: read or refused with a reason,
// never a crash, a hang or unbounded memory; what is read has an href each.
#include <string_view>

#include "sync/webdav.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tavo::sync::Multistatus m = tavo::sync::parseMultistatus(text);
    if (!m.problem.empty() && !m.resources.empty()) __builtin_trap();
    for (const tavo::sync::DavResource& r : m.resources)
        if (r.href.empty()) __builtin_trap();
    return 0;
}
