// Times programs from their start to their first idle moment after showing
// their window (the first paint is done by then): the median of several runs
// of each, in ms. The programs take turns, so that a busy moment of the
// machine falls on all of them alike.
//   startup_probe.exe RUNS PROGRAM.exe CLASS [PROGRAM.exe CLASS ...]
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

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4 || argc % 2 != 0) return 2;
    const int runs = _wtoi(argv[1]), programs = (argc - 2) / 2;
    if (runs < 1) return 2;
    std::vector<std::vector<double>> times(static_cast<std::size_t>(programs));
    for (int i = 0; i < runs; ++i)
        for (int p = 0; p < programs; ++p) times[static_cast<std::size_t>(p)].push_back(runOnce(argv[2 + 2 * p], argv[3 + 2 * p]));
    for (const auto& t : times) std::printf("%.1f\n", median(t));
    return 0;
}
