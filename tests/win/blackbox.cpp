#include "blackbox.h"

#include <vector>

namespace tavo::blackbox {

std::wstring besideTest(const wchar_t* fileName) {
    std::vector<wchar_t> buffer(MAX_PATH * 4);
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::wstring path(buffer.data(), n);
    const std::size_t slash = path.find_last_of(L"\\/");
    return path.substr(0, slash + 1) + fileName;
}

Process::Process(const std::wstring& exe, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info_))
        info_ = {};
}

Process::~Process() {
    if (info_.hProcess == nullptr) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool Process::waitExit(DWORD timeoutMs, DWORD& code) {
    if (info_.hProcess == nullptr) return false;
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(info_.hProcess, &code) != 0;
}

HWND waitForWindow(const wchar_t* className, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    do {
        if (HWND window = FindWindowW(className, nullptr)) return window;
        Sleep(50);
    } while (GetTickCount64() < end);
    return nullptr;
}

bool waitForNoWindow(const wchar_t* className, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    do {
        if (FindWindowW(className, nullptr) == nullptr) return true;
        Sleep(50);
    } while (GetTickCount64() < end);
    return false;
}

namespace {

struct CountRequest {
    const wchar_t* className;
    int count;
};

BOOL CALLBACK countIfClassMatches(HWND window, LPARAM param) {
    auto* request = reinterpret_cast<CountRequest*>(param);
    wchar_t name[64];
    if (GetClassNameW(window, name, 64) > 0 && lstrcmpW(name, request->className) == 0) ++request->count;
    return TRUE;
}

}  // namespace

int countTopLevelWindows(const wchar_t* className) {
    CountRequest request{className, 0};
    EnumWindows(countIfClassMatches, reinterpret_cast<LPARAM>(&request));
    return request.count;
}

std::wstring windowText(HWND window) {
    wchar_t text[512];
    const int n = GetWindowTextW(window, text, 512);
    return std::wstring(text, n > 0 ? n : 0);
}

}  // namespace tavo::blackbox
