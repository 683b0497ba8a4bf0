#include <windows.h>

#include "cp932.h"
#include "registry_settings_store.h"

namespace tavo {
namespace {

// Owns an open registry key.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

std::wstring keyPath(const std::string& root, std::string_view key) {
    return cp932ToWide(root + "\\" + std::string(key));
}

class RegistryReader final : public SettingsReader {
public:
    RegistryReader(const std::string& root, std::string_view key) {
        if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath(root, key).c_str(), 0, KEY_QUERY_VALUE, key_.out()) !=
            ERROR_SUCCESS)
            *key_.out() = nullptr;
    }
    bool opened() const override { return key_.get() != nullptr; }

    int readInt(std::string_view name, int fallback) const override {
        if (!opened()) return fallback;
        DWORD type = 0, value = 0, size = sizeof value;
        if (RegQueryValueExW(key_.get(), cp932ToWide(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                             &size) != ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof value)
            return fallback;
        return static_cast<int>(value);
    }

    std::string readString(std::string_view name, std::string_view fallback) const override {
        if (!opened()) return std::string(fallback);
        const std::wstring wideName = cp932ToWide(name);
        DWORD type = 0, size = 0;
        if (RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            type != REG_SZ)
            return std::string(fallback);
        std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                             &got) != ERROR_SUCCESS)
            return std::string(fallback);
        text.resize(wcsnlen(text.c_str(), got / sizeof(wchar_t)));
        std::string result = wideToCp932(text);
        if (result.size() + 1 > kSettingsStringBytes) return std::string(fallback);
        return result;
    }

private:
    RegistryKey key_;
};

class RegistryWriter final : public SettingsWriter {
public:
    RegistryWriter(const std::string& root, std::string_view key) {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath(root, key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, key_.out(), nullptr) != ERROR_SUCCESS)
            *key_.out() = nullptr;
    }
    bool created() const override { return key_.get() != nullptr; }

    void writeInt(std::string_view name, int value) override {
        if (!created()) return;
        const DWORD v = static_cast<DWORD>(value);
        RegSetValueExW(key_.get(), cp932ToWide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v),
                       sizeof v);
    }

    void writeString(std::string_view name, std::string_view value) override {
        if (!created()) return;
        const std::wstring text = cp932ToWide(value);
        RegSetValueExW(key_.get(), cp932ToWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

private:
    RegistryKey key_;
};

}  // namespace

std::unique_ptr<SettingsReader> RegistrySettingsStore::openForReading(std::string_view key) const {
    return std::make_unique<RegistryReader>(root_, key);
}

std::unique_ptr<SettingsWriter> RegistrySettingsStore::createForWriting(std::string_view key) {
    return std::make_unique<RegistryWriter>(root_, key);
}

}  // namespace tavo
