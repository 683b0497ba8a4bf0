#include "memory_settings_store.h"

namespace tavo {
namespace {

class MemoryReader final : public SettingsReader {
public:
    explicit MemoryReader(const MemorySettingsStore::Key* key) : key_(key) {}
    bool opened() const override { return key_ != nullptr; }

    int readInt(std::string_view name, int fallback) const override {
        const MemorySettingsStore::Value* v = find(name);
        if (v == nullptr || !std::holds_alternative<int>(*v)) return fallback;
        return std::get<int>(*v);
    }

    std::string readString(std::string_view name, std::string_view fallback) const override {
        const MemorySettingsStore::Value* v = find(name);
        if (v == nullptr || !std::holds_alternative<std::string>(*v)) return std::string(fallback);
        const std::string& s = std::get<std::string>(*v);
        if (s.size() + 1 > kSettingsStringBytes) return std::string(fallback);
        return s;
    }

private:
    const MemorySettingsStore::Value* find(std::string_view name) const {
        if (key_ == nullptr) return nullptr;
        const auto it = key_->find(name);
        return it == key_->end() ? nullptr : &it->second;
    }
    const MemorySettingsStore::Key* key_;
};

class MemoryWriter final : public SettingsWriter {
public:
    explicit MemoryWriter(MemorySettingsStore::Key* key) : key_(key) {}
    bool created() const override { return key_ != nullptr; }
    void writeInt(std::string_view name, int value) override {
        if (key_) (*key_)[std::string(name)] = value;
    }
    void writeString(std::string_view name, std::string_view value) override {
        if (key_) (*key_)[std::string(name)] = std::string(value);
    }

private:
    MemorySettingsStore::Key* key_;
};

}  // namespace

std::unique_ptr<SettingsReader> MemorySettingsStore::openForReading(std::string_view key) const {
    const auto it = keys_.find(key);
    return std::make_unique<MemoryReader>(it == keys_.end() ? nullptr : &it->second);
}

std::unique_ptr<SettingsWriter> MemorySettingsStore::createForWriting(std::string_view key) {
    if (refused_.count(key) != 0) return std::make_unique<MemoryWriter>(nullptr);
    return std::make_unique<MemoryWriter>(&keys_[std::string(key)]);
}

void MemorySettingsStore::set(std::string_view key, std::string_view name, Value value) {
    keys_[std::string(key)][std::string(name)] = std::move(value);
}

const MemorySettingsStore::Value* MemorySettingsStore::find(std::string_view key, std::string_view name) const {
    const auto k = keys_.find(key);
    if (k == keys_.end()) return nullptr;
    const auto v = k->second.find(name);
    return v == k->second.end() ? nullptr : &v->second;
}

bool MemorySettingsStore::hasKey(std::string_view key) const { return keys_.find(key) != keys_.end(); }

std::size_t MemorySettingsStore::valueCount() const {
    std::size_t n = 0;
    for (const auto& [name, key] : keys_) n += key.size();
    return n;
}

}  // namespace tavo
