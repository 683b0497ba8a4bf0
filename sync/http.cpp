#include "http.h"

#include <algorithm>
#include <cctype>

namespace tavo::sync {

std::string HttpResponse::header(std::string_view name) const {
    const auto same = [&](const std::string& n) {
        return n.size() == name.size() && std::equal(n.begin(), n.end(), name.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
               });
    };
    for (const auto& [n, v] : headers)
        if (same(n)) return v;
    return {};
}

}  // namespace tavo::sync
