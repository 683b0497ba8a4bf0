#include "process.h"

#include "shared/clock.h"

namespace tavo::shell {
namespace {

class RegistryTestClock final : public Clock {
public:
    LocalDate today() const override {
        DWORD value = 0, size = sizeof value;
        if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Brenmor\\Tavo\\testclock", L"today", RRF_RT_REG_DWORD, nullptr,
                         &value, &size) == ERROR_SUCCESS && value > 15821015)
            return {static_cast<int>(value / 10000), static_cast<int>(value / 100 % 100), static_cast<int>(value % 100)};
        SYSTEMTIME now;
        GetLocalTime(&now);
        return {now.wYear, now.wMonth, now.wDay};
    }
};

}  // namespace

void installClock() {
    static RegistryTestClock testClock;
    if (GetEnvironmentVariableW(L"TAVO_TEST_CLOCK", nullptr, 0) > 0) setClock(&testClock);
}

}  // namespace tavo::shell
