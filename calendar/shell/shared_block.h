// The named settings block "TavoShareMem" the calendar shares with the options library.
#pragma once

#include <windows.h>

#include "calendar/data/shared_settings.h"

namespace tavo::shell {

class SharedBlock {
public:
    SharedBlock() = default;
    ~SharedBlock();
    SharedBlock(const SharedBlock&) = delete;
    SharedBlock& operator=(const SharedBlock&) = delete;

    bool create();  // false when it cannot be created or mapped
    SharedSettings* settings() const { return settings_; }

private:
    HANDLE mapping_ = nullptr;
    SharedSettings* settings_ = nullptr;
};

}  // namespace tavo::shell
