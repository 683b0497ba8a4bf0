// Times a program from its start to its first idle moment after showing its
// window (the first paint is done by then): median of several runs, in ms.
//   startup_probe.exe PROGRAM.exe CLASS RUNS
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double runOnce(const std::wstring& program, const wchar_t* windowClass) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + program + L"\"";
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return -1;
    HWND window = nullptr;
    while (!(window = FindWindowW(windowClass, nullptr)) || !IsWindowVisible(window)) Sleep(1);
    WaitForInputIdle(info.hProcess, 10000);
    QueryPerformanceCounter(&end);
    PostMessageW(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(info.hProcess, 10000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) return 2;
    std::vector<double> times;
    for (int i = 0; i < _wtoi(argv[3]); ++i) times.push_back(runOnce(argv[1], argv[2]));
    std::sort(times.begin(), times.end());
    std::printf("%.1f\n", times[times.size() / 2]);
    return 0;
}
