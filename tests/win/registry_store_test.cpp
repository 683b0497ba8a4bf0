// The registry store against the real registry of the test prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include "shared/registry_settings_store.h"

namespace tavo {
namespace {

constexpr char kTestRoot[] = "Software\\Brenmor\\TavoStoreTest";
constexpr wchar_t kTestKey[] = L"Software\\Brenmor\\TavoStoreTest\\k";

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Brenmor\\TavoStoreTest"); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Brenmor\\TavoStoreTest"); }

    static void setRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    static bool keyExists() {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kTestKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

    RegistrySettingsStore store{kTestRoot};
};

TEST_F(RegistryStoreTest, MissingKeyGivesDefaultsAndCreatesNothing) {
    const auto reader = store.openForReading("k");
    EXPECT_FALSE(reader->opened());
    EXPECT_EQ(reader->readInt("cap", 1), 1);
    EXPECT_EQ(reader->readString("bmppath", "none"), "none");
    EXPECT_FALSE(keyExists());
}

TEST_F(RegistryStoreTest, WrittenValuesReadBack) {
    {
        const auto writer = store.createForWriting("k");
        ASSERT_TRUE(writer->created());
        writer->writeInt("percent", 55);
        writer->writeInt("neg", -1);
        writer->writeString("path", "C:\\ソ表\\能");
        writer->writeString("empty", "");
    }
    const auto reader = store.openForReading("k");
    EXPECT_TRUE(reader->opened());
    EXPECT_EQ(reader->readInt("percent", 0), 55);
    EXPECT_EQ(reader->readInt("neg", 0), -1);
    EXPECT_EQ(reader->readInt("missing", 9), 9);
    EXPECT_EQ(reader->readString("path", ""), "C:\\ソ表\\能");
    EXPECT_EQ(reader->readString("empty", "x"), "");
}

TEST_F(RegistryStoreTest, WrongTypesAndLongStringsGiveDefaults) {
    const wchar_t text[] = L"12";
    const DWORD number = 7;
    const BYTE blob[4] = {1, 2, 3, 4};
    const std::wstring tooLong(260, L'a');
    const std::wstring fits(259, L'a');
    const std::wstring wideTooLong(130, L'\u3042');  // 130 characters, 260 bytes in CP932
    setRaw(L"str", REG_SZ, text, sizeof text);
    setRaw(L"num", REG_DWORD, &number, sizeof number);
    setRaw(L"bin", REG_BINARY, blob, sizeof blob);
    setRaw(L"long", REG_SZ, tooLong.c_str(), static_cast<DWORD>((tooLong.size() + 1) * 2));
    setRaw(L"fits", REG_SZ, fits.c_str(), static_cast<DWORD>((fits.size() + 1) * 2));
    setRaw(L"kana", REG_SZ, wideTooLong.c_str(), static_cast<DWORD>((wideTooLong.size() + 1) * 2));
    const auto reader = store.openForReading("k");
    EXPECT_EQ(reader->readInt("str", 3), 3);
    EXPECT_EQ(reader->readInt("bin", 4), 4);
    EXPECT_EQ(reader->readString("num", "d"), "d");
    EXPECT_EQ(reader->readString("bin", "d"), "d");
    EXPECT_EQ(reader->readString("long", "d"), "d");
    EXPECT_EQ(reader->readString("fits", "d").size(), 259u);
    EXPECT_EQ(reader->readString("kana", "d"), "d");
}

}  // namespace
}  // namespace tavo
