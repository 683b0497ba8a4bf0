// One running process of a program per user: a named lock held while it
// runs. A window lookup alone lets two processes started at the same moment
// both run; the lock cannot.
#pragma once

#include <windows.h>

namespace tavo::win {

class SingleInstance {
public:
    // name: the program's part of the lock's name ("Calendar").
    explicit SingleInstance(const wchar_t* name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process holds the lock: it is the one that runs.
    bool first() const { return first_; }

    // For a process that is not first: the window of the one that is, waited
    // for while it starts (a few seconds at most); nullptr when there is none
    // to bring forward. When that one has ended meanwhile, this process takes
    // the lock and is first.
    HWND waitForFirst(HWND (*findWindow)());
    // For a process that is not first: waits a while for the lock to be let
    // go; true when it took it.
    bool wait(DWORD milliseconds) { return first_ = first_ || take(milliseconds); }

private:
    bool take(DWORD milliseconds);

    HANDLE mutex_ = nullptr;
    bool first_ = true;
};

}  // namespace tavo::win
