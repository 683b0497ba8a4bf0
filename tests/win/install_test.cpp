// The release as a Windows user gets it: the per-user installer run silently,
// an upgrade over a running calendar, the uninstaller, and the portable zip
// unpacked into a folder with Japanese characters and a blank in its path.
// The artefacts come from the "package" test (tools/check-package.sh).
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "blackbox.h"
#include "shared/cp932.h"
#include "tavo_version.h"

namespace tavo::blackbox {
namespace {

constexpr DWORD kWait = 60000;
const wchar_t* const kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tavo";
const wchar_t* const kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring version() { return cp932ToWide(TAVO_VERSION_TEXT); }
std::wstring dist(const std::wstring& name) { return besideTest(L"..\\dist\\") + name; }
std::wstring setupProgram() { return dist(L"Tavo-" + version() + L"-setup.exe"); }

std::wstring knownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) folder = path;
    CoTaskMemFree(path);
    return folder;
}

std::wstring installFolder() { return knownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Tavo"; }
std::wstring shortcutFolder() { return knownFolder(FOLDERID_Programs) + L"\\Tavo"; }
bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool userValue(const wchar_t* key, const wchar_t* name, std::wstring& value) {
    wchar_t text[1024] = {};
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return false;
    value = text;
    return true;
}

DWORD runToEnd(const std::wstring& program, const std::wstring& arguments) {
    Process process(program, arguments);
    DWORD code = 1234;
    EXPECT_TRUE(process.started()) << program;
    EXPECT_TRUE(process.waitExit(kWait, code)) << program;
    return code;
}

void writeFile(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(h);
}

// A calendar started from a folder shows its window and closes with 0.
void startsAndCloses(const std::wstring& program) {
    Process calendar(program);
    ASSERT_TRUE(calendar.started()) << program;
    HWND window = waitForWindow(L"Tavo", kWait);
    DWORD early = 0;
    ASSERT_NE(window, nullptr) << program << (calendar.waitExit(0, early) ? " ended with " + std::to_string(early) : " runs");
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    PostMessageW(window, WM_CLOSE, 0, 0);
    DWORD code = 1234;
    EXPECT_TRUE(calendar.waitExit(kWait, code));
    EXPECT_EQ(code, 0u);
}

class Installer : public ::testing::Test {
protected:
    void SetUp() override {
        resetProfile();
        removeInstallation();
    }
    void TearDown() override {
        removeInstallation();
        resetProfile();
    }
    static void removeInstallation() {
        const std::wstring folder = installFolder();
        if (exists(folder + L"\\Uninstall.exe")) runToEnd(folder + L"\\Uninstall.exe", L"/S _?=" + folder);
        for (const wchar_t* data : {L"sch2026c.cal", L"Holiday2.Dat", L"私の配色.col", L"夜空.col", L"夜空.scl",
                                    L"ハイコントラスト.col", L"ハイコントラスト.scl", L"Uninstall.exe"})
            DeleteFileW((folder + L"\\" + data).c_str());
        RemoveDirectoryW(folder.c_str());
    }
};

TEST_F(Installer, InstallsForTheUserUpgradesAndUninstallsKeepingTheData) {
    ASSERT_TRUE(exists(setupProgram())) << "run the package test first";
    EXPECT_EQ(runToEnd(setupProgram(), L"/S"), 0u);
    const std::wstring folder = installFolder();
    for (const wchar_t* file : {L"Tavo.exe", L"TavoCust.dll", L"TavoTray.exe", L"Birthday.Mid", L"help\\index.html",
                                L"help\\options\\design.html", L"夜空.col", L"Uninstall.exe", L"お読みください.txt"})
        EXPECT_TRUE(exists(folder + L"\\" + file)) << file;
    EXPECT_TRUE(exists(shortcutFolder() + L"\\Tavo.lnk"));
    EXPECT_TRUE(exists(shortcutFolder() + L"\\Tavo トレイ ランチャー.lnk"));
    std::wstring value;
    EXPECT_TRUE(userValue(kUninstallKey, L"DisplayName", value));
    EXPECT_EQ(value, L"Tavo");
    EXPECT_TRUE(userValue(kUninstallKey, L"DisplayVersion", value));
    EXPECT_EQ(value, version());
    EXPECT_TRUE(userValue(kUninstallKey, L"UninstallString", value));
    EXPECT_NE(value.find(L"Uninstall.exe"), std::wstring::npos);
    EXPECT_FALSE(userValue(kRunKey, L"TavoTray", value));  // only when chosen
    startsAndCloses(folder + L"\\Tavo.exe");

    // The user's data and a shipped scheme the user changed survive an upgrade,
    // which closes the running calendar first.
    writeFile(folder + L"\\sch2026c.cal", ":8\r\n会議\r\n");
    writeFile(folder + L"\\Holiday2.Dat", "rules\r\n");
    writeFile(folder + L"\\私の配色.col", "[colorname]\r\n");
    writeFile(folder + L"\\夜空.col", "changed by the user\r\n");
    Process running(folder + L"\\Tavo.exe");
    ASSERT_NE(waitForWindow(L"Tavo", kWait), nullptr);
    EXPECT_EQ(runToEnd(setupProgram(), L"/S"), 0u);
    DWORD code = 1234;
    EXPECT_TRUE(running.waitExit(kWait, code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(fileBytes(folder + L"\\sch2026c.cal"), ":8\r\n会議\r\n");
    EXPECT_EQ(fileBytes(folder + L"\\Holiday2.Dat"), "rules\r\n");
    EXPECT_EQ(fileBytes(folder + L"\\夜空.col"), "changed by the user\r\n");
    EXPECT_TRUE(exists(folder + L"\\Tavo.exe"));

    EXPECT_EQ(runToEnd(folder + L"\\Uninstall.exe", L"/S _?=" + folder), 0u);
    for (const wchar_t* file : {L"Tavo.exe", L"TavoCust.dll", L"TavoTray.exe", L"help\\index.html"})
        EXPECT_FALSE(exists(folder + L"\\" + file)) << file;
    EXPECT_FALSE(exists(shortcutFolder() + L"\\Tavo.lnk"));
    EXPECT_FALSE(userValue(kUninstallKey, L"DisplayName", value));
    EXPECT_EQ(fileBytes(folder + L"\\sch2026c.cal"), ":8\r\n会議\r\n");
    EXPECT_EQ(fileBytes(folder + L"\\Holiday2.Dat"), "rules\r\n");
    EXPECT_EQ(fileBytes(folder + L"\\私の配色.col"), "[colorname]\r\n");
}

TEST(PortableZip, TheCalendarRunsFromAJapaneseFolderWithABlank) {
    resetProfile();
    const std::wstring program = dist(L"ポータブル 版\\Tavo\\Tavo.exe");
    ASSERT_TRUE(exists(program)) << "run the package test first";
    EXPECT_TRUE(exists(dist(L"ポータブル 版\\Tavo\\お読みください.txt")));
    startsAndCloses(program);
    resetProfile();
}

}  // namespace
}  // namespace tavo::blackbox
