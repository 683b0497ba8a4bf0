// The Radicale the test command starts for the Windows-side tests
// (tools/caldav-server.sh, CTest fixture "caldav"): its root URL, read from
// the file TAVO_CALDAV_STATE/url; empty when there is none. Login tavo / secret.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace tavo::blackbox {

inline std::string caldavServerRoot() {
    wchar_t state[1024];
    const DWORD n = GetEnvironmentVariableW(L"TAVO_CALDAV_STATE", state, 1024);
    if (n == 0 || n >= 1024) return {};
    std::ifstream file(std::filesystem::path(std::wstring(state, n) + L"\\url"));
    std::string url;
    std::getline(file, url);
    return url;
}

}  // namespace tavo::blackbox
