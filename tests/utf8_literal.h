// u8 literals stay UTF-8 whatever the narrow execution charset is.
#pragma once

#include <string>

namespace tavo::test {

inline std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

}  // namespace tavo::test
