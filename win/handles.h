// Small owners of handles (GDI objects, device contexts, menus, icons,
// registry keys), so nothing leaks on an early return.
#pragma once

#include <windows.h>

namespace tavo::win {

// Owns a handle freed by Free; moves, never copies.
template <class Handle, auto Free>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { reset(); }
    Owned(Owned&& other) noexcept : handle_(other.release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    void reset(Handle handle = nullptr) {
        if (handle_ != nullptr) Free(handle_);
        handle_ = handle;
    }
    Handle release() {
        const Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }
    Handle get() const { return handle_; }
    Handle* out() {
        reset();
        return &handle_;
    }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    Handle handle_ = nullptr;
};

using MenuHandle = Owned<HMENU, DestroyMenu>;
using IconHandle = Owned<HICON, DestroyIcon>;
using KeyHandle = Owned<HKEY, RegCloseKey>;


class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(HGDIOBJ object) : object_(object) {}
    ~GdiObject() { reset(); }
    GdiObject(GdiObject&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            reset();
            object_ = other.object_;
            other.object_ = nullptr;
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    void reset(HGDIOBJ object = nullptr) {
        if (object_ != nullptr) DeleteObject(object_);
        object_ = object;
    }
    HGDIOBJ get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    HGDIOBJ object_ = nullptr;
};

// Restores what was selected into a device context.
class SelectedObjects {
public:
    explicit SelectedObjects(HDC dc) : dc_(dc) {
        pen_ = GetCurrentObject(dc, OBJ_PEN);
        brush_ = GetCurrentObject(dc, OBJ_BRUSH);
        font_ = GetCurrentObject(dc, OBJ_FONT);
        bitmap_ = GetCurrentObject(dc, OBJ_BITMAP);
    }
    ~SelectedObjects() {
        SelectObject(dc_, pen_);
        SelectObject(dc_, brush_);
        SelectObject(dc_, font_);
        if (bitmap_) SelectObject(dc_, bitmap_);
    }
    SelectedObjects(const SelectedObjects&) = delete;
    SelectedObjects& operator=(const SelectedObjects&) = delete;

private:
    HDC dc_;
    HGDIOBJ pen_, brush_, font_, bitmap_;
};

// A window's device context from GetDC, released with it.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

class MemoryDc {
public:
    explicit MemoryDc(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
    ~MemoryDc() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace tavo::win
