#include "shared/memory_settings_store.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

TEST(MemorySettingsStore, ReadersFallBackWithoutWriting) {
    MemorySettingsStore store;
    const auto missingKey = store.openForReading("env");
    EXPECT_FALSE(missingKey->opened());
    EXPECT_EQ(missingKey->readInt("cyear", 7), 7);
    EXPECT_EQ(missingKey->readString("bwavepath", "x"), "x");
    EXPECT_FALSE(store.hasKey("env"));

    store.set("env", "cyear", 0);
    store.set("env", "name", std::string("平成"));
    store.set("env", "blob", MemorySettingsStore::OtherType{{1, 2, 3, 4}});
    store.set("env", "long", std::string(260, 'a'));
    store.set("env", "fits", std::string(259, 'a'));
    const auto key = store.openForReading("env");
    EXPECT_TRUE(key->opened());
    struct IntCase {
        const char* name;
        int fallback, expected;
    } ints[] = {{"cyear", 1, 0}, {"missing", 5, 5}, {"name", 3, 3}, {"blob", 4, 4}};
    for (const IntCase& c : ints) EXPECT_EQ(key->readInt(c.name, c.fallback), c.expected) << c.name;
    EXPECT_EQ(key->readString("name", ""), "平成");
    EXPECT_EQ(key->readString("cyear", "d"), "d");
    EXPECT_EQ(key->readString("long", "d"), "d");  // 260 bytes + terminator do not fit
    EXPECT_EQ(key->readString("fits", "d").size(), 259u);
    EXPECT_FALSE(key->readSwitch("cyear", true));
    EXPECT_TRUE(key->readSwitch("missing", true));
}

TEST(MemorySettingsStore, WritersCreateKeysOrSkipSilently) {
    MemorySettingsStore store;
    {
        const auto w = store.createForWriting("scv");
        EXPECT_TRUE(w->created());
        w->writeInt("range", 2);
        w->writeString("path", "C:\\ソ表");
    }
    EXPECT_EQ(store.openForReading("scv")->readInt("range", 0), 2);
    EXPECT_EQ(store.openForReading("scv")->readString("path", ""), "C:\\ソ表");
    store.refuseKey("menu");
    const auto refused = store.createForWriting("menu");
    EXPECT_FALSE(refused->created());
    refused->writeInt("sch0", 0);
    EXPECT_FALSE(store.hasKey("menu"));
}

}  // namespace
}  // namespace tavo
