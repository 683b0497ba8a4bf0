#include "shared_block.h"

namespace tavo::shell {

SharedBlock::~SharedBlock() {
    if (settings_) UnmapViewOfFile(settings_);
    if (mapping_) CloseHandle(mapping_);
}

bool SharedBlock::create() {
    SECURITY_ATTRIBUTES inheritable{};
    inheritable.nLength = sizeof inheritable;
    inheritable.bInheritHandle = TRUE;
    mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, &inheritable, PAGE_READWRITE, 0, sizeof(SharedSettings),
                                  kSharedSettingsName);
    if (mapping_ == nullptr) return false;
    settings_ = static_cast<SharedSettings*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(SharedSettings)));
    if (settings_ == nullptr) return false;
    ZeroMemory(settings_, sizeof(SharedSettings));
    return true;
}

}  // namespace tavo::shell
