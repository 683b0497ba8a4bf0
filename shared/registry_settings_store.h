// The settings store on the current user's registry (Windows only).
#pragma once

#include <string>

#include "settings_store.h"

namespace tavo {

inline constexpr char kSettingsRoot[] = "Software\\Brenmor\\Tavo";

class RegistrySettingsStore final : public SettingsStore {
public:
    // root: a key path under HKEY_CURRENT_USER, CP932.
    explicit RegistrySettingsStore(std::string root = kSettingsRoot) : root_(std::move(root)) {}
    std::unique_ptr<SettingsReader> openForReading(std::string_view key) const override;
    std::unique_ptr<SettingsWriter> createForWriting(std::string_view key) override;

private:
    std::string root_;
};

}  // namespace tavo
