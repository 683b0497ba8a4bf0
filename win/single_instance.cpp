#include "single_instance.h"

#include <string>

namespace tavo::win {
namespace {

// The session's namespace, and the user's name in the lock's: another user
// of the same session (run as) has a calendar of their own.
std::wstring lockName(const wchar_t* name) {
    wchar_t user[257] = L"";
    DWORD size = ARRAYSIZE(user);
    if (!GetUserNameW(user, &size)) user[0] = L'\0';
    return std::wstring(L"Local\\Tavo.") + name + L"." + user;
}

constexpr DWORD kStartingMilliseconds = 5000;

}  // namespace

SingleInstance::SingleInstance(const wchar_t* name) : mutex_(CreateMutexW(nullptr, FALSE, lockName(name).c_str())) {
    first_ = mutex_ == nullptr || take(0);  // no lock to be had at all: run as before
}

SingleInstance::~SingleInstance() {
    if (mutex_ == nullptr) return;
    if (first_) ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}

// A lock left by a process that ended without letting go is taken too.
bool SingleInstance::take(DWORD milliseconds) {
    const DWORD got = WaitForSingleObject(mutex_, milliseconds);
    return got == WAIT_OBJECT_0 || got == WAIT_ABANDONED;
}

HWND SingleInstance::waitForFirst(HWND (*findWindow)()) {
    const ULONGLONG until = GetTickCount64() + kStartingMilliseconds;
    do {
        if (HWND found = findWindow()) return found;
        if ((first_ = take(50))) return nullptr;  // the other one has ended
    } while (GetTickCount64() < until);
    return nullptr;
}

}  // namespace tavo::win
