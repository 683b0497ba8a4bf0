// An in-memory settings store with the registry's rules, for tests and tools.
#pragma once

#include <map>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "settings_store.h"

namespace tavo {

class MemorySettingsStore final : public SettingsStore {
public:
    // A value of a type the readers do not expect (like REG_BINARY).
    struct OtherType {
        std::vector<unsigned char> bytes;
        friend bool operator==(const OtherType&, const OtherType&) = default;
    };
    using Value = std::variant<int, std::string, OtherType>;
    using Key = std::map<std::string, Value, std::less<>>;

    std::unique_ptr<SettingsReader> openForReading(std::string_view key) const override;
    std::unique_ptr<SettingsWriter> createForWriting(std::string_view key) override;

    // Direct access for tests.
    void set(std::string_view key, std::string_view name, Value value);
    const Value* find(std::string_view key, std::string_view name) const;
    bool hasKey(std::string_view key) const;
    std::size_t valueCount() const;
    // Makes createForWriting fail for this key, as a registry without rights would.
    void refuseKey(std::string_view key) { refused_.emplace(key); }

private:
    std::map<std::string, Key, std::less<>> keys_;
    std::set<std::string, std::less<>> refused_;
};

}  // namespace tavo
