#include "page.h"

#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "shared/cp932.h"
#include "shared/messages.h"
#include "shared/windows_of_kind.h"
#include "win/controls.h"
#include "win/file_dialog.h"
#include "win/tell.h"

namespace tavo::options {
namespace {

using win::textOf;

// The leading number of the first `digits` characters; 0 when there is none.
int leadingNumber(const std::wstring& text, int digits) {
    int value = 0;
    for (std::size_t i = 0; i < text.size() && static_cast<int>(i) < digits && text[i] >= L'0' && text[i] <= L'9'; ++i)
        value = value * 10 + (text[i] - L'0');
    return value;
}

// The longest start of a text that takes at most `limit` bytes of code page 932.
std::size_t fittingCharacters(const std::wstring& text, std::size_t limit) {
    std::size_t bytes = 0, i = 0;
    while (i < text.size()) {
        const std::size_t n = IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() ? 2 : 1;
        bytes += wideToCp932(std::wstring_view(text).substr(i, n)).size();
        if (bytes > limit) break;
        i += n;
    }
    return i;
}

PageProblem unstorableProblem(const Binding& b, const std::wstring& bad) {
    return {b.id, std::wstring(L"次の文字は設定に保存できません。別の文字に直してください。\n").append(bad)};
}

}  // namespace

void tell(const Page& page, const std::wstring& text) { win::tellUser(page.dialog, text); }

bool browseForFile(Page& page, int edit, const wchar_t* filter, const std::wstring& folder) {
    const Binding* b = page.binding(edit);
    const std::size_t mostBytes = b ? page.entryOf(*b).bytes - 1 : 0;
    const std::string chosen =
        win::chooseFile({page.dialog, filter, folder, win::itemText(page.dialog, edit), false, nullptr, mostBytes});
    if (chosen.empty()) return false;
    SetDlgItemTextW(page.dialog, edit, cp932ToWide(chosen).c_str());
    return true;
}

Page::Page(OptionsContext& c, const PageKind& k)
    : context(c), kind(k), record(k.record(*c.settings)), snapshot(record, k.bytes) {}

const SettingEntry& Page::entryOf(const Binding& b) const {
    if (kind.entry) return kind.entry(*this, b);
    const SettingsTable& table = kind.table();
    return settingEntry(table, table.front().key, b.name);
}

const Binding* Page::binding(int id) const {
    for (const Binding& b : kind.bindings) {
        const int last = b.control == Control::Radio ? b.id + b.count - 1 : b.id;
        if ((id >= b.id && id <= last) || (b.spin != 0 && id == b.spin)) return &b;
    }
    return nullptr;
}

void Page::show(const Binding& b) {
    const SettingEntry& s = entryOf(b);
    switch (b.control) {
        case Control::Check: CheckDlgButton(dialog, b.id, settingNumber(record, s) ? BST_CHECKED : BST_UNCHECKED); break;
        case Control::Radio:
            CheckRadioButton(dialog, b.id, b.id + b.count - 1, b.id + settingNumber(record, s));
            break;
        case Control::Number:
            SendMessageW(item(b.id), EM_LIMITTEXT, static_cast<WPARAM>(b.digits), 0);  // no digit typed goes unread
            SendMessageW(item(b.spin), UDM_SETRANGE32, static_cast<WPARAM>(b.low), b.high);
            SendMessageW(item(b.spin), UDM_SETPOS32, 0, settingNumber(record, s));
            SetDlgItemInt(dialog, b.id, static_cast<UINT>(settingNumber(record, s)), FALSE);
            break;
        case Control::Combo: SendMessageW(item(b.id), CB_SETCURSEL, static_cast<WPARAM>(settingNumber(record, s)), 0); break;
        case Control::Text:
            SendMessageW(item(b.id), EM_LIMITTEXT, s.bytes - 1, 0);
            SetDlgItemTextW(dialog, b.id, cp932ToWide(settingText(record, s)).c_str());
            break;
    }
}

void Page::take(const Binding& b) {
    const SettingEntry& s = entryOf(b);
    switch (b.control) {
        case Control::Check: setSettingNumber(record, s, IsDlgButtonChecked(dialog, b.id) == BST_CHECKED); break;
        case Control::Radio:
            for (int i = 0; i < b.count; ++i)
                if (IsDlgButtonChecked(dialog, b.id + i) == BST_CHECKED) setSettingNumber(record, s, i);
            break;
        case Control::Combo: {
            const auto index = SendMessageW(item(b.id), CB_GETCURSEL, 0, 0);
            if (index >= 0) setSettingNumber(record, s, static_cast<int>(index));
            break;
        }
        case Control::Number: {
            const int value = std::min(b.high, std::max(b.low, leadingNumber(textOf(item(b.id)), b.digits)));
            setSettingNumber(record, s, value);
            SendMessageW(item(b.spin), UDM_SETPOS32, 0, value);
            break;
        }
        case Control::Text: setSettingText(record, s, wideToCp932(textOf(item(b.id)))); break;
    }
}

PageProblem Page::problem() const {
    for (const Binding& b : kind.bindings)
        if (b.control == Control::Text)
            if (const std::wstring bad = unstorableInCp932(textOf(item(b.id))); !bad.empty()) return unstorableProblem(b, bad);
    return kind.check ? kind.check(*this) : PageProblem{};
}

void Page::tellProblem(const PageProblem& p) const {
    tell(*this, p.text);
    if (p.control) SetFocus(item(p.control));
}

bool Page::storable(const Binding& b) const {
    const std::wstring bad = unstorableInCp932(textOf(item(b.id)));
    if (!bad.empty()) tellProblem(unstorableProblem(b, bad));
    return bad.empty();
}

// The record holds a text's bytes, not its characters: the edit holds no more.
void Page::limitBytes(const Binding& b) {
    const std::wstring text = textOf(item(b.id));
    const std::size_t fits = fittingCharacters(text, entryOf(b).bytes - 1);
    if (fits == text.size()) return;
    SetWindowTextW(item(b.id), text.substr(0, fits).c_str());  // comes back here within the limit
    SendMessageW(item(b.id), EM_SETSEL, fits, static_cast<LPARAM>(fits));
    MessageBeep(MB_OK);
}

void Page::notify() const { refreshWindows(kind.notified, kind.refreshFlags); }

void Page::ok() {
    if (kind.textsOnOk)
        for (const Binding& b : kind.bindings)
            if (b.control == Control::Text) take(b);
    if (kind.confirm && !kind.confirm(*this)) return;
    if (!snapshot.changed()) return;  // nothing to write, nothing to tell
    writeSettings(record, kind.table(), context.store);
    if (kind.textsOnOk) notify();
    // The reminder window reads the registry itself (it may run in the launcher): told after every write.
    refreshWindows(kindBit(WindowKind::Remind), kRefreshData);
}

void Page::cancel() {
    keepPrevious();
    if (!snapshot.restore()) return;
    if (kind.restored) kind.restored(*this);
    notify();
}

void Page::keepPrevious() {
    const auto* bytes = static_cast<const char*>(record);
    previous.assign(bytes, bytes + kind.bytes);
}

void Page::onCommand(int id, int code) {
    const Binding* b = binding(id);
    if (b == nullptr) {
        if (kind.command) kind.command(*this, id, code);
        return;
    }
    if (b->control == Control::Number && code == EN_KILLFOCUS) {  // a number out of range shows as the one used
        if (leadingNumber(textOf(item(b->id)), b->digits) != settingNumber(record, entryOf(*b))) show(*b);
        return;
    }
    const bool edit = b->control == Control::Number || b->control == Control::Text;
    const int expected = edit ? EN_CHANGE : b->control == Control::Combo ? CBN_SELCHANGE : BN_CLICKED;
    if (code != expected) return;
    if (b->control == Control::Text) limitBytes(*b);
    if (b->control == Control::Text && kind.textsOnOk) return;
    keepPrevious();
    take(*b);
    if (kind.changed) kind.changed(*this, id);
    notify();
}

void Page::onInit() {
    loading_ = true;
    if (kind.init) kind.init(*this);
    for (const Binding& b : kind.bindings) show(b);
    if (kind.changed) kind.changed(*this, 0);
    loading_ = false;
}

INT_PTR Page::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: onInit(); return TRUE;
        case WM_COMMAND:
            if (!loading_) onCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_VSCROLL: {  // an up-down control moved: its edit follows
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            if (const Binding* b = binding(id); b && b->control == Control::Number) {
                const int position = static_cast<int>(SendMessageW(item(b->spin), UDM_GETPOS32, 0, 0));
                SetDlgItemInt(dialog, b->id, static_cast<UINT>(position), FALSE);  // EN_CHANGE takes it
            }
            return TRUE;
        }
        default: return kind.message && kind.message(*this, message, wParam, lParam) ? TRUE : FALSE;
    }
}

}  // namespace tavo::options
