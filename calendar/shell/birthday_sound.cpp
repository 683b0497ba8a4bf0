#include "birthday_sound.h"

#include <mmsystem.h>

namespace tavo::shell {
namespace {

constexpr wchar_t kAlias[] = L"tavobirthday";

}  // namespace

void MciBirthdaySound::play() {
    close();
    const std::wstring open = L"open \"" + path_ + L"\" alias " + kAlias;
    if (mciSendStringW(open.c_str(), nullptr, 0, nullptr) != 0) return;  // no sound device or no file: silence
    open_ = true;
    const std::wstring play = std::wstring(L"play ") + kAlias + L" notify";
    if (mciSendStringW(play.c_str(), nullptr, 0, notify_) != 0) close();
}

void MciBirthdaySound::close() {
    if (!open_) return;
    mciSendStringW((std::wstring(L"close ") + kAlias).c_str(), nullptr, 0, nullptr);
    open_ = false;
}

void CountingBirthdaySound::play() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Brenmor\\Tavo\\testclock", 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    DWORD played = 0, size = sizeof played;
    RegQueryValueExW(key, L"played", nullptr, nullptr, reinterpret_cast<BYTE*>(&played), &size);
    ++played;
    RegSetValueExW(key, L"played", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&played), sizeof played);
    RegCloseKey(key);
}

}  // namespace tavo::shell
