// Splitting a fuzzer's input into the pieces a target needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::fuzz {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}
    // A number from the next bytes (0 when the input ran out).
    int number(int low, int high) {
        unsigned value = 0;
        for (int i = 0; i < 2 && !rest_.empty(); ++i) {
            value = value * 256 + static_cast<unsigned char>(rest_[0]);
            rest_.remove_prefix(1);
        }
        return low + static_cast<int>(value % static_cast<unsigned>(high - low + 1));
    }
    // Text up to the next "\x00\x00" separator.
    std::string text() {
        const std::size_t end = rest_.find(std::string_view("\0\0", 2));
        std::string piece(rest_.substr(0, end));
        rest_ = end == std::string_view::npos ? std::string_view() : rest_.substr(end + 2);
        return piece;
    }
    std::string_view rest() const { return rest_; }

private:
    std::string_view rest_;
};

}  // namespace tavo::fuzz
