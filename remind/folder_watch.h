// Tells a window when files of a folder change (written by Tavo, another
// program or a text editor): a thread waits on the system's change
// notification and posts a message. Nothing polls.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

namespace tavo::remind {

class FolderWatch {
public:
    FolderWatch() = default;
    ~FolderWatch() { stop(); }
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Watches the folder (not its subfolders), posting `message` to `window`
    // after each change; false when the folder cannot be watched.
    bool start(const std::wstring& folder, HWND window, UINT message);
    void stop();
    const std::wstring& folder() const { return folder_; }

private:
    std::wstring folder_;
    HANDLE change_ = INVALID_HANDLE_VALUE;
    HANDLE stop_ = nullptr;
    std::thread thread_;
};

}  // namespace tavo::remind
