// The calendar's settings block as another program sees it.
#pragma once

#include <windows.h>

#include "calendar/data/shared_settings.h"

namespace tavo::blackbox {

class SharedBlockView {
public:
    SharedBlockView() {
        mapping_ = OpenFileMappingW(FILE_MAP_READ, FALSE, kSharedSettingsName);
        if (mapping_) view_ = MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, sizeof(SharedSettings));
    }
    ~SharedBlockView() {
        if (view_) UnmapViewOfFile(view_);
        if (mapping_) CloseHandle(mapping_);
    }
    const SharedSettings* operator->() const { return static_cast<const SharedSettings*>(view_); }
    explicit operator bool() const { return view_ != nullptr; }

private:
    HANDLE mapping_ = nullptr;
    void* view_ = nullptr;
};

}  // namespace tavo::blackbox
