#include "folder_watch.h"

namespace tavo::remind {

bool FolderWatch::start(const std::wstring& folder, HWND window, UINT message) {
    stop();
    folder_ = folder;
    change_ = FindFirstChangeNotificationW(
        folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE);
    if (change_ == INVALID_HANDLE_VALUE) return false;
    stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (stop_ == nullptr) {
        stop();
        return false;
    }
    thread_ = std::thread([change = change_, stopEvent = stop_, window, message] {
        const HANDLE handles[] = {stopEvent, change};
        while (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
            PostMessageW(window, message, 0, 0);
            if (!FindNextChangeNotification(change)) break;
        }
    });
    return true;
}

void FolderWatch::stop() {
    if (stop_) SetEvent(stop_);
    if (thread_.joinable()) thread_.join();
    if (change_ != INVALID_HANDLE_VALUE) FindCloseChangeNotification(change_);
    if (stop_) CloseHandle(stop_);
    change_ = INVALID_HANDLE_VALUE;
    stop_ = nullptr;
}

}  // namespace tavo::remind
