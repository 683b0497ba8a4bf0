// The birthday sound through the multimedia command interface, and a sound
// that only counts, for the black-box tests.
#pragma once

#include <windows.h>

#include <string>

#include "calendar/data/personal_days.h"

namespace tavo::shell {

class MciBirthdaySound final : public BirthdaySound {
public:
    MciBirthdaySound(std::wstring path, HWND notify) : path_(std::move(path)), notify_(notify) {}
    ~MciBirthdaySound() override { close(); }
    MciBirthdaySound(const MciBirthdaySound&) = delete;
    MciBirthdaySound& operator=(const MciBirthdaySound&) = delete;
    void play() override;
    void close();  // at the end of playing (MM_MCINOTIFY) and after the message loop

private:
    std::wstring path_;
    HWND notify_;
    bool open_ = false;
};

// Counts plays in HKCU\Software\Brenmor\Tavo\testclock\played (TAVO_TEST_CLOCK only).
class CountingBirthdaySound final : public BirthdaySound {
public:
    void play() override;
};

}  // namespace tavo::shell
