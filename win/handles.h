// Small owners of GDI objects and device contexts, so nothing leaks on an early return.
#pragma once

#include <windows.h>

namespace tavo::shell {

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

}  // namespace tavo::shell
