#include "file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "shared/cp932.h"
#include "system_library.h"
#include "tell.h"

namespace tavo::win {

std::wstring windowsFolder() {
    std::vector<wchar_t> folder(MAX_PATH, L'\0');
    const UINT n = GetWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    return std::wstring(folder.data(), n < folder.size() ? n : 0);
}

std::wstring unusablePathReason(const std::wstring& path, std::size_t mostBytes) {
    if (!unstorableInCp932(path).empty()) return L"この場所の名前には Shift-JIS で書けない文字があるため、使えません。";
    if (mostBytes > 0 && wideToCp932(path).size() > mostBytes)
        return L"この場所の名前は長すぎるため、使えません (Shift-JIS で" + std::to_wstring(mostBytes) + L"バイトまで)。";
    return L"";
}

std::string chooseFile(const FileChoice& choice) {
    // Room for any path the system allows, so the dialog never cuts one.
    std::vector<wchar_t> file(32768, L'\0');
    choice.offered.copy(file.data(), std::min(choice.offered.size(), file.size() - 1));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = choice.owner;
    dialog.lpstrFilter = choice.filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = choice.folder.empty() ? nullptr : choice.folder.c_str();
    dialog.lpstrDefExt = choice.extension;
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                   (choice.saving ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    auto* const run = systemFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", choice.saving ? "GetSaveFileNameW" : "GetOpenFileNameW");
    if (run == nullptr || !run(&dialog)) return "";
    const std::wstring chosen = file.data();
    if (const std::wstring reason = unusablePathReason(chosen, choice.mostBytes); !reason.empty()) {
        tellUser(choice.owner, reason + L"\n" + chosen);
        return "";
    }
    return wideToCp932(chosen);
}

}  // namespace tavo::win
