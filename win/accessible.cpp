#include "accessible.h"

#include <oleacc.h>

#include <atomic>

// IID_IAccessible of the import library is the export's thunk, not the GUID: __uuidof names it.

namespace tavo::win {
namespace {

constexpr HRESULT kGone = RPC_E_DISCONNECTED;

bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

void setChild(VARIANT* out, long id) {
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = id;
}

HRESULT giveText(BSTR* out, const std::wstring& text) {
    if (out == nullptr) return E_INVALIDARG;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT noText(BSTR* out) {
    if (out == nullptr) return E_INVALIDARG;
    *out = nullptr;
    return S_FALSE;
}

RECT onScreen(HWND window, RECT place) {
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

}  // namespace

int selectedOf(const AccessibleContent& content, int count) {
    const int selected = content.selectedAccessiblePart();
    return selected < count ? selected : -1;
}

// Lives as long as a client holds it; after the window goes, every call fails.
class Accessibility::Object final : public IAccessible {
public:
    Object(HWND window, AccessibleContent& content) : window_(window), content_(&content) {
        CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard_));
    }
    void disconnect() {
        content_ = nullptr;
        if (standard_) standard_->Release();
        standard_ = nullptr;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (id != IID_IUnknown && id != IID_IDispatch && id != __uuidof(IAccessible)) return E_NOINTERFACE;
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // IDispatch: clients use the vtable.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (parent == nullptr) return E_POINTER;
        *parent = nullptr;
        if (!standard_) return kGone;
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (count == nullptr) return E_POINTER;
        if (!content_) return kGone;
        *count = content_->accessiblePartCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        AccessiblePart part;
        if (HRESULT r = partOf(child, part); r != S_OK) return r;
        if (part.child == nullptr) return S_FALSE;  // a simple element, answered here
        return AccessibleObjectFromWindow(part.child, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                          reinterpret_cast<void**>(out));
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!content_) return kGone;
        if (isSelf(child)) {
            wchar_t title[256] = {};
            GetWindowTextW(window_, title, 256);
            return giveText(name, title);
        }
        AccessiblePart part;
        if (HRESULT r = partOf(child, part); r != S_OK) return r;
        return giveText(name, part.name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override { return noText(value); }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override { return noText(text); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* text) override { return noText(text); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (topic) *topic = 0;
        return noText(file);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* text) override { return noText(text); }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (role == nullptr) return E_POINTER;
        VariantInit(role);
        if (!content_) return kGone;
        if (isSelf(child)) {
            setChild(role, content_->accessibleRole());
            return S_OK;
        }
        AccessiblePart part;
        if (HRESULT r = partOf(child, part); r != S_OK) return r;
        setChild(role, part.role);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (state == nullptr) return E_POINTER;
        VariantInit(state);
        if (!content_) return kGone;
        const bool keyboard = GetFocus() == window_;
        if (isSelf(child)) {
            setChild(state, STATE_SYSTEM_FOCUSABLE | (keyboard ? STATE_SYSTEM_FOCUSED : 0));
            return S_OK;
        }
        AccessiblePart part;
        if (HRESULT r = partOf(child, part); r != S_OK) return r;
        long bits = IsRectEmpty(&part.place) ? STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN : 0;
        if (part.selectable) bits |= STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
        if (part.selected) bits |= STATE_SYSTEM_SELECTED | (keyboard ? STATE_SYSTEM_FOCUSED : 0);
        setChild(state, bits);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (focus == nullptr) return E_POINTER;
        VariantInit(focus);
        if (!content_) return kGone;
        if (GetFocus() != window_) return S_FALSE;
        setChild(focus, selectedOf(*content_, content_->accessiblePartCount()) + 1);  // none selected: the client itself
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (selection == nullptr) return E_POINTER;
        VariantInit(selection);
        if (!content_) return kGone;
        const int selected = selectedOf(*content_, content_->accessiblePartCount());
        if (selected < 0) return S_FALSE;
        setChild(selection, selected + 1);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!content_) return kGone;
        AccessiblePart part;
        if (isSelf(child) || partOf(child, part) != S_OK) return noText(action);
        return giveText(action, part.action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        AccessiblePart part;
        if (HRESULT r = partOf(child, part); r != S_OK) return r;
        if (!part.selectable) return S_FALSE;
        if (flags & SELFLAG_TAKEFOCUS) SetFocus(window_);
        if (flags & (SELFLAG_TAKESELECTION | SELFLAG_TAKEFOCUS)) content_->chooseAccessiblePart(child.lVal - 1);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
        if (!content_) return kGone;
        RECT place{};
        if (isSelf(child)) {
            GetClientRect(window_, &place);
        } else {
            AccessiblePart part;
            if (HRESULT r = partOf(child, part); r != S_OK) return r;
            place = part.place;
        }
        place = onScreen(window_, place);
        *left = place.left, *top = place.top, *width = place.right - place.left, *height = place.bottom - place.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (end == nullptr) return E_POINTER;
        VariantInit(end);
        if (!content_) return kGone;
        const long count = content_->accessiblePartCount();
        if (start.vt != VT_I4 || start.lVal < 0 || start.lVal > count) return E_INVALIDARG;
        long to = 0;
        switch (direction) {
            case NAVDIR_FIRSTCHILD: to = isSelf(start) ? 1 : 0; break;
            case NAVDIR_LASTCHILD: to = isSelf(start) ? count : 0; break;
            case NAVDIR_NEXT: to = isSelf(start) ? 0 : start.lVal + 1; break;
            case NAVDIR_PREVIOUS: to = isSelf(start) ? 0 : start.lVal - 1; break;
            default: return S_FALSE;  // spatial moves: the reader uses the locations
        }
        if (to < 1 || to > count) return S_FALSE;
        setChild(end, to);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        if (hit == nullptr) return E_POINTER;
        VariantInit(hit);
        if (!content_) return kGone;
        POINT p{x, y};
        ScreenToClient(window_, &p);
        RECT client{};
        GetClientRect(window_, &client);
        if (!PtInRect(&client, p)) return S_FALSE;
        const int count = content_->accessiblePartCount();
        for (int i = 0; i < count; ++i) {
            const RECT place = content_->accessiblePart(i).place;
            if (PtInRect(&place, p)) {
                setChild(hit, i + 1);
                return S_OK;
            }
        }
        setChild(hit, CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        AccessiblePart part;
        if (HRESULT r = partOf(child, part); r != S_OK) return r;
        if (part.action.empty()) return DISP_E_MEMBERNOTFOUND;
        content_->chooseAccessiblePart(child.lVal - 1);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~Object() { disconnect(); }

    HRESULT partOf(const VARIANT& child, AccessiblePart& part) const {
        if (!content_) return kGone;
        if (child.vt != VT_I4) return E_INVALIDARG;
        if (child.lVal < 1 || child.lVal > content_->accessiblePartCount()) return E_INVALIDARG;
        part = content_->accessiblePart(static_cast<int>(child.lVal - 1));
        return S_OK;
    }

    HWND window_;
    AccessibleContent* content_;
    IAccessible* standard_ = nullptr;
    std::atomic<ULONG> references_{1};
};

Accessibility::~Accessibility() { disconnect(); }

LRESULT Accessibility::answer(HWND window, AccessibleContent& content, WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) return 0;
    if (object_ == nullptr) object_ = new Object(window, content);
    return LresultFromObject(__uuidof(IAccessible), wParam, object_);
}

// Names of a long list are not compared line by line on every paint.
constexpr int kComparedNames = 512;

void Accessibility::announceChanges(HWND window, const AccessibleContent& content) {
    const int count = content.accessiblePartCount();
    const int selected = selectedOf(content, count);
    std::vector<std::wstring> names;
    for (int i = 0; i < count && i < kComparedNames; ++i) names.push_back(content.accessiblePart(i).name);
    if (selected >= kComparedNames) names.push_back(content.accessiblePart(selected).name);
    const auto renamed = [&](int i) {
        const int at = i < kComparedNames ? i : kComparedNames;
        return at < static_cast<int>(names.size()) && at < static_cast<int>(toldNames_.size()) && names[at] != toldNames_[at];
    };
    for (int i = 0; i < count && i < kComparedNames; ++i)
        if (i != selected && renamed(i)) NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, i + 1);
    const bool moved = selected != toldSelection_, selectedRenamed = selected >= 0 && renamed(selected);
    toldNames_ = std::move(names);
    toldSelection_ = selected;
    if (selected < 0) return;
    if (moved) {
        NotifyWinEvent(EVENT_OBJECT_SELECTION, window, OBJID_CLIENT, selected + 1);
        if (GetFocus() == window) NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, selected + 1);
    } else if (selectedRenamed) {
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, selected + 1);
    }
}

void Accessibility::announceFocus(HWND window, const AccessibleContent& content) {
    const int selected = selectedOf(content, content.accessiblePartCount());
    if (selected >= 0) NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, selected + 1);
}

void Accessibility::disconnect() {
    if (object_ == nullptr) return;
    object_->disconnect();
    object_->Release();
    object_ = nullptr;
}

}  // namespace tavo::win
