#include "birthday_sound.h"

#include <mmsystem.h>

#include "win/system_library.h"
#include "win/test_clock.h"

namespace tavo::shell {
namespace {

constexpr wchar_t kAlias[] = L"tavobirthday";

// The sound system is loaded when a sound is first played, not at start-up.
MCIERROR mci(const std::wstring& command, HWND notify = nullptr) {
    auto* const send = win::systemFunction<decltype(mciSendStringW)>(L"winmm.dll", "mciSendStringW");
    return send ? send(command.c_str(), nullptr, 0, notify) : MCIERR_DEVICE_NOT_INSTALLED;
}

}  // namespace

void MciBirthdaySound::play() {
    close();
    const std::wstring open = L"open \"" + path_ + L"\" alias " + kAlias;
    if (mci(open) != 0) return;  // no sound device or no file: silence
    open_ = true;
    const std::wstring play = std::wstring(L"play ") + kAlias + L" notify";
    if (mci(play, notify_) != 0) close();
}

void MciBirthdaySound::close() {
    if (!open_) return;
    mci(std::wstring(L"close ") + kAlias);
    open_ = false;
}

void CountingBirthdaySound::play() { win::countInTestClock(L"played"); }

}  // namespace tavo::shell
