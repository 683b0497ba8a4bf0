#include "reminder_role.h"

#include "shared/windows_of_kind.h"

namespace tavo::remind {
namespace {

constexpr DWORD kHandOverMilliseconds = 5000;

}  // namespace

bool ReminderRole::take(bool insist) {
    if (reminding()) return true;
    lock_.emplace(L"Remind");
    if (!lock_->first() && insist) {
        postToWindows(kindBit(WindowKind::Calendar), UM_REMIND_YIELD);
        lock_->wait(kHandOverMilliseconds);
    }
    if (!lock_->first()) {
        lock_.reset();
        return false;
    }
    window_ = std::make_unique<ReminderWindow>(host_);
    if (window_->create() == nullptr) window_.reset();
    return reminding();
}

void ReminderRole::give() {
    window_.reset();
    lock_.reset();
}

}  // namespace tavo::remind
