// Settings under the current user's "Software\Brenmor\Tavo" key, in subkeys.
// Readers never fail: a missing key or value, a value of another type or a
// string that does not fit gives the default, and nothing is written back.
// Writers create the subkey; when they cannot, the values are skipped.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tavo {

// Strings hold at most this many bytes including the terminator.
inline constexpr std::size_t kSettingsStringBytes = 260;

class SettingsReader {
public:
    virtual ~SettingsReader() = default;
    virtual bool opened() const = 0;
    virtual int readInt(std::string_view name, int fallback) const = 0;
    virtual std::string readString(std::string_view name, std::string_view fallback) const = 0;
    // A switch is on when its value is not 0.
    bool readSwitch(std::string_view name, bool fallback) const { return readInt(name, fallback ? 1 : 0) != 0; }
};

class SettingsWriter {
public:
    virtual ~SettingsWriter() = default;
    virtual bool created() const = 0;
    virtual void writeInt(std::string_view name, int value) = 0;
    virtual void writeString(std::string_view name, std::string_view value) = 0;
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Key names are relative to the root, e.g. "holi".
    virtual std::unique_ptr<SettingsReader> openForReading(std::string_view key) const = 0;
    virtual std::unique_ptr<SettingsWriter> createForWriting(std::string_view key) = 0;
};

}  // namespace tavo
