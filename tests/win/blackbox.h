// Helpers for black-box tests that start the real programs and watch their windows.
#pragma once

#include <windows.h>

#include <string>

namespace tavo::blackbox {

// Full path of a file beside the running test program.
std::wstring besideTest(const wchar_t* fileName);

class Process {
public:
    explicit Process(const std::wstring& exe, const std::wstring& arguments = L"");
    ~Process();  // ends the process if it still runs
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool started() const { return info_.hProcess != nullptr; }
    // True when the process ended within timeoutMs; its exit code goes to code.
    bool waitExit(DWORD timeoutMs, DWORD& code);

private:
    PROCESS_INFORMATION info_{};
};

// Polls for a top-level window of the class; nullptr after the timeout.
HWND waitForWindow(const wchar_t* className, DWORD timeoutMs);
bool waitForNoWindow(const wchar_t* className, DWORD timeoutMs);
int countTopLevelWindows(const wchar_t* className);
std::wstring windowText(HWND window);

}  // namespace tavo::blackbox
