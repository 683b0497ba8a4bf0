#include "blackbox.h"

#include <commctrl.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "resources/tavo_ids.h"
#include "shared/cp932.h"

namespace tavo::blackbox {

std::wstring besideTest(const wchar_t* fileName) {
    std::vector<wchar_t> buffer(MAX_PATH * 4);
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::wstring path(buffer.data(), n);
    const std::size_t slash = path.find_last_of(L"\\/");
    return path.substr(0, slash + 1) + fileName;
}

Process::Process(const std::wstring& exe, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info_))
        info_ = {};
}

Process::~Process() {
    if (info_.hProcess == nullptr) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool Process::waitExit(DWORD timeoutMs, DWORD& code) {
    if (info_.hProcess == nullptr) return false;
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(info_.hProcess, &code) != 0;
}

bool settle(HWND window) {
    // A thread takes the messages sent to it before each posted one, so each
    // round trip here comes back only after one more posted message was handled.
    for (int i = 0; i < 16; ++i) {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kPatience, &result) == 0) return false;
    }
    return waitUntil([&] { return !IsWindow(window) || GetUpdateRect(window, nullptr, FALSE) == FALSE; });
}

HWND waitForWindow(const wchar_t* className, DWORD timeoutMs) {
    HWND window = nullptr;
    waitUntil([&] { return (window = FindWindowW(className, nullptr)) != nullptr; }, timeoutMs);
    return window;
}

bool waitForNoWindow(const wchar_t* className, DWORD timeoutMs) {
    return waitUntil([&] { return FindWindowW(className, nullptr) == nullptr; }, timeoutMs);
}

namespace {

struct CountRequest {
    const wchar_t* className;
    int count;
};

BOOL CALLBACK countIfClassMatches(HWND window, LPARAM param) {
    auto* request = reinterpret_cast<CountRequest*>(param);
    wchar_t name[64];
    if (GetClassNameW(window, name, 64) > 0 && lstrcmpW(name, request->className) == 0) ++request->count;
    return TRUE;
}

}  // namespace

int countTopLevelWindows(const wchar_t* className) {
    CountRequest request{className, 0};
    EnumWindows(countIfClassMatches, reinterpret_cast<LPARAM>(&request));
    return request.count;
}

std::wstring windowText(HWND window) {
    wchar_t text[512];
    const int n = GetWindowTextW(window, text, 512);
    return std::wstring(text, n > 0 ? n : 0);
}

}  // namespace tavo::blackbox

namespace tavo::blackbox {
namespace {

const std::wstring kRoot = L"Software\\Brenmor\\Tavo";

HKEY createKey(const wchar_t* key) {
    HKEY h = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, (kRoot + L"\\" + key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    return h;
}

}  // namespace

void resetProfile() { RegDeleteTreeW(HKEY_CURRENT_USER, kRoot.c_str()); }

void setProfileNumber(const wchar_t* key, const wchar_t* name, DWORD value) {
    HKEY h = createKey(key);
    RegSetValueExW(h, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(h);
}

void setProfileText(const wchar_t* key, const wchar_t* name, const std::wstring& value) {
    HKEY h = createKey(key);
    RegSetValueExW(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(h);
}

bool readProfileNumber(const wchar_t* key, const wchar_t* name, DWORD& value) {
    DWORD size = sizeof value;
    return RegGetValueW(HKEY_CURRENT_USER, (kRoot + L"\\" + key).c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) ==
           ERROR_SUCCESS;
}

bool readProfileText(const wchar_t* key, const wchar_t* name, std::wstring& value) {
    wchar_t text[1024] = {};
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, (kRoot + L"\\" + key).c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return false;
    value = text;
    return true;
}

std::wstring statusBarText(HWND calendar, int part) {
    HWND bar = FindWindowExW(calendar, nullptr, L"msctls_statusbar32", nullptr);
    if (bar == nullptr) return L"(no status bar)";
    if (part >= SendMessageW(bar, SB_GETPARTS, 0, 0)) return L"(no such part)";
    // The text is copied into the calendar's own memory, as a screen reader reads it.
    DWORD id = 0;
    GetWindowThreadProcessId(bar, &id);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    if (process == nullptr) return L"(no access)";
    wchar_t text[512] = {};
    void* remote = VirtualAllocEx(process, nullptr, sizeof text, MEM_COMMIT, PAGE_READWRITE);
    if (remote && SendMessageW(bar, SB_GETTEXTLENGTHW, part, 0) < 512) {
        SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote, text, sizeof text - sizeof(wchar_t), nullptr);
    }
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return text;
}

COLORREF clientPixel(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

std::vector<COLORREF> clientPixels(HWND window, int& width, int& height) {
    RECT client{};
    GetClientRect(window, &client);
    width = client.right, height = client.bottom;
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<COLORREF> pixels;
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
        const auto* bgrx = static_cast<const std::uint8_t*>(bits);
        for (int i = 0; i < width * height; ++i) pixels.push_back(RGB(bgrx[4 * i + 2], bgrx[4 * i + 1], bgrx[4 * i]));
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool waitForPixel(HWND window, int x, int y, COLORREF colour, DWORD timeoutMs) {
    return waitUntil([&] { return clientPixel(window, x, y) == colour; }, timeoutMs);
}

CalendarRun::CalendarRun(const std::wstring& arguments) : process_(besideTest(L"Tavo.exe"), arguments) {
    window_ = waitForWindow(L"Tavo", 20000);
    if (window_ == nullptr) return;
    waitUntil([&] { return IsWindowVisible(window_) != FALSE; }, 10000);
    settle(window_);
}

bool CalendarRun::close(DWORD& exitCode) {
    if (closed_ || window_ == nullptr) return false;
    closed_ = true;
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return process_.waitExit(20000, exitCode);
}

CalendarRun::~CalendarRun() {
    DWORD code = 0;
    close(code);
}

}  // namespace tavo::blackbox

namespace tavo::blackbox {
namespace {

struct DialogSearch {
    DWORD process;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK findDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t cls[32] = {};
    GetClassNameW(window, cls, 32);
    if (process != search->process || lstrcmpW(cls, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    if (search->title && windowText(window) != search->title) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND waitForDialog(HWND ownerWindow, const wchar_t* title, DWORD timeoutMs) {
    DialogSearch search{0, title, nullptr};
    GetWindowThreadProcessId(ownerWindow, &search.process);
    waitUntil([&] {
        EnumWindows(findDialog, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, timeoutMs);
    if (search.found) settle(search.found);
    return search.found;
}

bool waitUntilClosed(HWND window, DWORD timeoutMs) {
    return waitUntil([&] { return !IsWindow(window); }, timeoutMs);
}

namespace {

HWND ownedDialog(HWND owner) {
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w; w = FindWindowExW(nullptr, w, L"#32770", nullptr))
        if (GetWindow(w, GW_OWNER) == owner && IsWindowVisible(w)) return w;
    return nullptr;
}

}  // namespace

HWND waitForOwnedDialog(HWND owner, DWORD timeoutMs) {
    HWND found = nullptr;
    waitUntil([&] { return (found = ownedDialog(owner)) != nullptr; }, timeoutMs);
    if (found) settle(found);
    return found;
}

std::wstring messageBoxText(HWND box) {
    HWND text = GetDlgItem(box, 0xFFFF);
    wchar_t buffer[256] = {};
    if (text) SendMessageW(text, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

void pressKey(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
}

bool pressChord(HWND window, WORD modifier, WORD key) {
    SetForegroundWindow(window);
    if (!waitUntil([&] { return GetForegroundWindow() == window; })) return false;
    INPUT keys[4] = {};
    const WORD order[4] = {modifier, key, key, modifier};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = order[i];
        keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    return SendInput(4, keys, sizeof(INPUT)) == 4;
}

bool pressWithControl(HWND window, WORD key) { return pressChord(window, VK_CONTROL, key); }

void click(HWND window, int x, int y) {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

namespace {

constexpr wchar_t kWineX11[] = L"Software\\Wine\\X11 Driver";

// The middle of the window's minimise button, found as the system finds it.
POINT minimiseButton(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const auto hit = [&](int x, int y) { return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTMINBUTTON; };
    for (int y = frame.top; y < frame.top + 80; y += 2)
        for (int x = frame.left; x < frame.right; x += 2)
            if (hit(x, y)) {
                int left = x, right = x, top = y, bottom = y;
                while (hit(left - 1, y)) --left;
                while (hit(right + 1, y)) ++right;
                while (hit(x, top - 1)) --top;
                while (hit(x, bottom + 1)) ++bottom;
                return {(left + right) / 2, (top + bottom) / 2};
            }
    return {-1, -1};
}

}  // namespace

WineDrawnFrames::WineDrawnFrames() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kWineX11, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) return;
    RegSetValueExW(key, L"Decorated", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"N"), sizeof L"N");
    RegCloseKey(key);
}

WineDrawnFrames::~WineDrawnFrames() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kWineX11, L"Decorated"); }

bool clickMinimiseButton(HWND window) {
    SetForegroundWindow(window);
    settle(window);
    const POINT at = minimiseButton(window);
    if (at.x < 0 || !SetCursorPos(at.x, at.y)) return false;
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(2, input, sizeof(INPUT)) == 2;
}

bool waitForStatus(HWND calendar, const std::wstring& prefix, DWORD timeoutMs) {
    return waitUntil([&] { return statusBarText(calendar).compare(0, prefix.size(), prefix) == 0; }, timeoutMs);
}

}  // namespace tavo::blackbox

namespace tavo::blackbox {
namespace {

void removeTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) removeTree(path);
            else DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

DataFolder::DataFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + name + L"-" + std::to_wstring(GetCurrentProcessId());
    removeTree(path_);
    CreateDirectoryW(path_.c_str(), nullptr);
}

DataFolder::~DataFolder() { removeTree(path_); }

void DataFolder::write(const std::wstring& name, const std::string& bytes) const {
    HANDLE h = CreateFileW(pathOf(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(h);
}

std::string fileBytes(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "(missing)";
    std::string bytes;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0) bytes.append(buffer, n);
    CloseHandle(h);
    return bytes;
}

std::string DataFolder::read(const std::wstring& name) const { return fileBytes(pathOf(name)); }

void DataFolder::useForAllData() const {
    for (const wchar_t* value : {L"schpath", L"birpath", L"anipath", L"mempath", L"nikpath"}) setProfileText(L"dir", value, path_);
}

TestClock::TestClock(DWORD yyyymmdd) {
    SetEnvironmentVariableW(L"TAVO_TEST_CLOCK", L"1");
    set(yyyymmdd);
}

TestClock::~TestClock() { SetEnvironmentVariableW(L"TAVO_TEST_CLOCK", nullptr); }

void TestClock::set(DWORD yyyymmdd) { setProfileNumber(L"testclock", L"today", yyyymmdd); }

void TestClock::setTime(int hour, int minute) { setProfileNumber(L"testclock", L"minute", static_cast<DWORD>(hour * 60 + minute)); }

bool toldAfter(HWND window, UINT message, WPARAM wParam, const std::wstring& fragment) {
    PostMessageW(window, message, wParam, 0);
    HWND box = waitForDialog(window, L"Tavo", 8000);
    if (box == nullptr) return false;
    const bool found = messageBoxText(box).find(fragment) != std::wstring::npos;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    waitUntilClosed(box, kPatience);
    settle(window);
    return found;
}

std::wstring clipboardText(UINT format) {
    if (!OpenClipboard(nullptr)) return L"(closed)";
    std::wstring text;
    if (HANDLE data = GetClipboardData(format)) {
        if (format == CF_UNICODETEXT) text = static_cast<const wchar_t*>(GlobalLock(data));
        else text = cp932ToWide(static_cast<const char*>(GlobalLock(data)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

namespace {

void putClipboardText(const std::wstring& text) {
    if (!waitUntil([] { return OpenClipboard(nullptr) != FALSE; })) return;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(block);
    if (SetClipboardData(CF_UNICODETEXT, block) == nullptr) GlobalFree(block);
    CloseClipboard();
}

}  // namespace

std::wstring copiedRangeList(HWND view) {
    const std::wstring sentinel = L"(before the copy)";
    putClipboardText(sentinel);
    PostMessageW(view, WM_COMMAND, CMD_COPY, 0);
    std::wstring text;
    waitUntil([&] {
        text = clipboardText(CF_UNICODETEXT);
        return text != sentinel && text != L"(closed)";
    });
    return text;
}

HWND optionsPageWith(HWND dialog, int control) {
    HWND inner = GetDlgItem(dialog, 51);
    const auto shownPage = [&] {
        for (HWND p = FindWindowExW(inner, nullptr, L"#32770", nullptr); p; p = FindWindowExW(inner, p, L"#32770", nullptr))
            if (IsWindowVisible(p)) return p;
        return HWND{};
    };
    HWND previous = nullptr;
    for (int step = 0; step < 8; ++step) {
        HWND page = nullptr;
        // A tab's page is made when it is first shown: wait for the next one, not the one before it.
        waitUntil([&] { return (page = shownPage()) != nullptr && page != previous; });
        if (page && GetDlgItem(page, control)) return page;
        previous = page;
        pressKey(inner, VK_RIGHT);
        settle(dialog);
    }
    return nullptr;
}

std::wstring controlText(HWND control) {
    const auto length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

bool answerFileDialog(HWND owner, const std::wstring& file) {
    // The dialog is found as soon as it exists; its file name box (1148, or
    // 1152 in the old style) comes while it initialises.
    HWND dialog = nullptr, name = nullptr;
    const bool ready = waitUntil([&] {
        dialog = waitForOwnedDialog(owner, 0);
        name = dialog ? GetDlgItem(dialog, 1148) : nullptr;
        if (dialog && name == nullptr) name = GetDlgItem(dialog, 1152);
        return name != nullptr && IsWindowVisible(dialog);
    });
    if (!ready) return false;
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    waitUntilClosed(dialog, kPatience);
    return true;
}

void typeText(HWND window, const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(window, WM_CHAR, c, 1);
}

}  // namespace tavo::blackbox
