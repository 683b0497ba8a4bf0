#include "launch.h"

#include <shellapi.h>

#include "calendar/data/external_program.h"
#include "shared/cp932.h"
#include "win/system_library.h"
#include "win/tell.h"

namespace tavo::shell {
namespace {

bool isProgramFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring systemMessage(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = n > 0 ? std::wstring(text, n) : std::wstring(L"エラー ").append(std::to_wstring(error));
    LocalFree(text);
    return message;
}

}  // namespace

bool runExternalProgram(HWND owner, const PathSettings& paths, const std::string& file) {
    const std::wstring command = cp932ToWide(paths.externalProgram);
    std::wstring line = cp932ToWide(externalCommandLine(paths.externalProgram, file, isProgramFile(command)));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
        return true;
    }
    std::wstring text = L"外部プログラムを起動できませんでした。\n";
    text.append(command).append(L"\n").append(systemMessage(GetLastError()));
    MessageBoxW(owner, text.c_str(), L"Tavo", MB_OK | MB_ICONWARNING);
    return false;
}

void openHelpPage(HWND owner, const PathSettings& paths, const char* page, int showCommand) {
    win::showHelpPage(owner, cp932ToWide(helpPagePath(paths.programFolder, page)), showCommand);
}

}  // namespace tavo::shell
