// The calendar's settings block as another program sees it.
#pragma once

#include <windows.h>

#include "calendar/data/shared_settings.h"

namespace tavo::blackbox {

class SharedBlockView {
public:
    // writable: to change a setting as the options dialog does in the running calendar.
    explicit SharedBlockView(bool writable = false) {
        const DWORD access = writable ? FILE_MAP_WRITE : FILE_MAP_READ;
        mapping_ = OpenFileMappingW(access, FALSE, kSharedSettingsName);
        if (mapping_) view_ = MapViewOfFile(mapping_, access, 0, 0, sizeof(SharedSettings));
    }
    ~SharedBlockView() {
        if (view_) UnmapViewOfFile(view_);
        if (mapping_) CloseHandle(mapping_);
    }
    const SharedSettings* operator->() const { return static_cast<const SharedSettings*>(view_); }
    SharedSettings* writable() const { return static_cast<SharedSettings*>(view_); }
    explicit operator bool() const { return view_ != nullptr; }

private:
    HANDLE mapping_ = nullptr;
    void* view_ = nullptr;
};

}  // namespace tavo::blackbox
