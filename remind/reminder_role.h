// Exactly one process reminds: the launcher, which runs from sign-in; the
// calendar only while no launcher runs. A named lock decides; the launcher
// asks a reminding calendar to let go when it starts, and tells it to take
// over when it ends.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "reminder_window.h"
#include "win/single_instance.h"

namespace tavo::remind {

class ReminderRole {
public:
    explicit ReminderRole(ReminderHost host) : host_(std::move(host)) {}
    // Reminds when the lock can be had; the launcher (`insist`) first asks
    // the calendar to let it go. True when this process reminds.
    bool take(bool insist);
    // Stops reminding: the window goes, the lock is let go.
    void give();
    bool reminding() const { return window_ != nullptr; }

private:
    ReminderHost host_;
    std::optional<win::SingleInstance> lock_;
    std::unique_ptr<ReminderWindow> window_;
};

}  // namespace tavo::remind
