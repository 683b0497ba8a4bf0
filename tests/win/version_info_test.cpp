// Each program carries the project's version in its version resource, as
// Explorer's properties and the installer show it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "blackbox.h"
#include "shared/cp932.h"
#include "tavo_version.h"

namespace tavo::blackbox {
namespace {

std::wstring versionString(const std::vector<BYTE>& block, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\041104b0\\") + name;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) return L"(none)";
    return static_cast<const wchar_t*>(value);
}

TEST(VersionInfo, EveryProgramCarriesTheProjectVersion) {
    const int numbers[] = {TAVO_VERSION_NUMBERS};
    for (const wchar_t* file : {L"Tavo.exe", L"TavoCust.dll", L"TavoTray.exe"}) {
        const std::wstring path = besideTest(file);
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        ASSERT_GT(size, 0u) << file;
        std::vector<BYTE> block(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data())) << file;
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) << file;
        EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(numbers[1], numbers[0]))) << file;
        EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(numbers[3], numbers[2]))) << file;
        EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS) << file;
        EXPECT_EQ(versionString(block, L"FileVersion"), cp932ToWide(TAVO_VERSION_TEXT)) << file;
        EXPECT_EQ(versionString(block, L"ProductVersion"), cp932ToWide(TAVO_VERSION_TEXT)) << file;
        EXPECT_EQ(versionString(block, L"ProductName"), L"Tavo") << file;
        EXPECT_EQ(versionString(block, L"OriginalFilename"), file);
        EXPECT_EQ(versionString(block, L"FileDescription").rfind(L"Tavo ", 0), 0u) << file;
    }
}

}  // namespace
}  // namespace tavo::blackbox
