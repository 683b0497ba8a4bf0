// Stands in for the user's external program: writes the command line it was
// started with (UTF-16) to "recorded.txt" beside itself, then ends.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t self[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
    std::wstring path(self, n);
    path = path.substr(0, path.find_last_of(L'\\') + 1) + L"recorded.txt";
    const wchar_t* line = GetCommandLineW();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(lstrlenW(line) * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    return 0;
}
