// The system's file dialogs, with the checks every caller needs: the chosen
// path must be storable in code page 932 and fit the field it goes to, and
// the dialog never changes the program's current folder.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace tavo::win {

struct FileChoice {
    HWND owner = nullptr;
    const wchar_t* filter = nullptr;     // pairs of texts, ending in "\0\0"
    std::wstring folder;                 // where the dialog opens when no file is offered
    std::wstring offered;                // the file shown at first
    bool saving = false;
    const wchar_t* extension = nullptr;  // added to a name typed without one
    std::size_t mostBytes = 0;           // CP932 bytes the path may take where it is kept; 0 for any
};

// The Windows folder, where system sounds and programs are offered from.
std::wstring windowsFolder();

// Why a chosen path cannot be taken, as told to the user; empty when it can.
std::wstring unusablePathReason(const std::wstring& path, std::size_t mostBytes);

// The chosen file as a CP932 path; empty when cancelled, or when the path
// cannot be taken (the user is told why and nothing is changed).
std::string chooseFile(const FileChoice& choice);

}  // namespace tavo::win
