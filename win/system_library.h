// Functions of system DLLs loaded on first use. As imports, the file
// dialogs, the shell and sound (with what they pull in) cost every start some
// tens of milliseconds under a start-up budget, and most runs never use them.
#pragma once

#include <windows.h>

namespace tavo::win {

// The function, or nullptr when the DLL or the function cannot be had. The
// DLL is looked for in the system folder only.
template <class Function>
Function* systemFunction(const wchar_t* library, const char* name) {
    HMODULE module = GetModuleHandleW(library);
    if (module == nullptr) module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace tavo::win
