#include "test_clock.h"

#include <windows.h>

#include "shared/clock.h"

namespace tavo::win {
namespace {

constexpr wchar_t kTestClockKey[] = L"Software\\Brenmor\\Tavo\\testclock";

bool readNumber(const wchar_t* name, DWORD& value) {
    DWORD size = sizeof value;
    return RegGetValueW(HKEY_CURRENT_USER, kTestClockKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS;
}

class RegistryTestClock final : public Clock {
public:
    LocalDate today() const override {
        DWORD value = 0;
        if (readNumber(L"today", value) && value > 15821015 && value < 99991232)
            return {static_cast<int>(value / 10000), static_cast<int>(value / 100 % 100), static_cast<int>(value % 100)};
        SYSTEMTIME now;
        GetLocalTime(&now);
        return {now.wYear, now.wMonth, now.wDay};
    }
    Minutes now() const override {
        DWORD minute = 0;
        if (!readNumber(L"minute", minute) || minute >= kMinutesPerDay) {
            SYSTEMTIME now;
            GetLocalTime(&now);
            minute = now.wHour * 60u + now.wMinute;
        }
        return minutesOf(today(), static_cast<int>(minute));
    }
};

bool installed = false;

}  // namespace

bool installTestClock() {
    static RegistryTestClock testClock;
    installed = GetEnvironmentVariableW(L"TAVO_TEST_CLOCK", nullptr, 0) > 0;
    if (installed) setClock(&testClock);
    return installed;
}

bool testClockInstalled() { return installed; }

bool testSwitchOn(const wchar_t* name) {
    DWORD value = 0;
    return installed && readNumber(name, value) && value != 0;
}

void countInTestClock(const wchar_t* counter) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kTestClockKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    DWORD count = 0, size = sizeof count;
    RegQueryValueExW(key, counter, nullptr, nullptr, reinterpret_cast<BYTE*>(&count), &size);
    ++count;
    RegSetValueExW(key, counter, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), sizeof count);
    RegCloseKey(key);
}

}  // namespace tavo::win
