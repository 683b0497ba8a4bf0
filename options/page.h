// The one mechanism of every options page: controls bound to entries of a
// settings record. A page takes a snapshot when it opens, applies each change
// to the shared block at once and tells the window it affects, writes its
// record on OK, and on Cancel puts the snapshot back and tells the window again.
#pragma once

#include <windows.h>

#include <any>
#include <string>
#include <vector>

#include "calendar/data/shared_settings.h"
#include "shared/registry_settings_store.h"
#include "shared/settings_table.h"
#include "shared/window_kinds.h"
#include "win/dialog.h"

namespace tavo::options {

enum class Control {
    Check,   // a check box: a switch
    Radio,   // `count` buttons from `id`: the index of the checked one
    Number,  // an edit with its up-down control `spin`: a number in low..high
    Text,    // an edit: a text of the record's field
    Combo,   // a drop-down list: the index of the chosen item
};

struct Binding {
    Control control;
    int id;
    const char* name;  // the value's name in the page's table (its key is the table's)
    int count = 0;     // Radio
    int spin = 0;      // Number
    int low = 0, high = 0;
    int digits = 0;    // Number: characters of the field that are read
};

class Page;

// What OK must refuse on a page: the text to tell and the control to put the focus on.
struct PageProblem {
    int control = 0;
    std::wstring text;
};

// What the frame hands every page.
struct OptionsContext {
    SharedSettings* settings = nullptr;
    HINSTANCE instance = nullptr;
    RegistrySettingsStore store;
};

struct PageKind {
    const wchar_t* templateName;
    void* (*record)(SharedSettings&);
    std::size_t bytes;
    const SettingsTable& (*table)();
    std::vector<Binding> bindings;
    WindowKinds notified;   // told after a change and after Cancel
    unsigned refreshFlags;  // with UM_REFRESH
    bool textsOnOk = false; // texts are taken when OK is pressed, not while typed
    // Extra behaviour: before the controls are shown (filling lists), after a
    // bound control changed (enabling, other notices), on a notification of a
    // control that is not bound (buttons, lists),
    // on a command of a control that is not bound (browse buttons), and on OK
    // before the record is written (false: this page writes nothing).
    void (*changed)(Page&, int id) = nullptr;
    void (*command)(Page&, int id, int code) = nullptr;
    bool (*confirm)(Page&) = nullptr;
    void (*init)(Page&) = nullptr;
    // The entry a binding edits when it depends on the page's state (the date
    // date text shown); otherwise the binding's name in the table's key.
    const SettingEntry& (*entry)(const Page&, const Binding&) = nullptr;
    // After Cancel put the snapshot back (`Page::previous` holds the record as it was).
    void (*restored)(Page&) = nullptr;
    // Input OK cannot take as it stands (beyond texts that CP932 cannot hold).
    PageProblem (*check)(const Page&) = nullptr;
    // A message the mechanism does not handle (owner drawing); true when handled.
    bool (*message)(Page&, UINT message, WPARAM wParam, LPARAM lParam) = nullptr;
};

class Page final : public win::Dialog {
public:
    Page(OptionsContext& c, const PageKind& k);
    HWND create(HWND parent) { return createModeless(context.instance, kind.templateName, parent); }
    void ok();
    void cancel();

    OptionsContext& context;
    const PageKind& kind;
    void* record;
    RecordSnapshot snapshot;
    int part = 0;  // which of a record's repeated pieces the controls show
    std::vector<char> previous;  // the record before the change being handled
    std::any extra;              // what a page keeps beyond its record

    const SettingEntry& entryOf(const Binding& b) const;
    const Binding* binding(int id) const;  // the binding a control belongs to
    void show(const Binding& b);           // control from the record
    void take(const Binding& b);           // record from the control
    void notify() const;
    // Input that OK must refuse: a text holding characters the record cannot
    // store, then the page's own check. Empty text: none.
    PageProblem problem() const;
    // Tells the user of a problem, with the focus on its control.
    void tellProblem(const PageProblem& p) const;
    bool storable(const Binding& b) const;  // false after telling
    template <class Record>
    const Record& previousRecord() const { return *reinterpret_cast<const Record*>(previous.data()); }

private:
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onInit();
    void onCommand(int id, int code);
    void limitBytes(const Binding& b);
    void keepPrevious();
    bool loading_ = false;
};

// Tells the user, owned by the page.
void tell(const Page& page, const std::wstring& text);
// A file chosen in the system's dialog into a bound text: one its field
// cannot hold whole is refused (and told). True when a file was put there.
bool browseForFile(Page& page, int edit, const wchar_t* filter, const std::wstring& folder);

}  // namespace tavo::options
