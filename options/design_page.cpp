// The design page, one per window: colours, reliefs, heights and fonts of
// each display area, applied to the window at once, and the named colour
// schemes kept as files beside the program. Any change of a value that
// belongs to a scheme leaves no scheme current.
#include <windows.h>

#include <commdlg.h>

#include <any>
#include <array>
#include <string>

#include "calendar/render/design_choices.h"
#include "options_ids.h"
#include "pages.h"
#include "shared/cp932.h"
#include "shared/messages.h"
#include "shared/windows_file_system.h"
#include "shared/windows_of_kind.h"
#include "win/dialog.h"
#include "win/dpi.h"
#include "win/tell.h"

namespace tavo::options {
namespace {


struct DesignPageState {
    DesignSetKind set = kCalendarDesign;
    std::string currentName;  // the scheme shown as current; empty after a change
    int dayKind = 0, state = 0;
    CustomColours custom{}, customAtOpening{};
    WindowsFileSystem files;
};

DesignSet& designOf(const Page& page) { return *static_cast<DesignSet*>(page.record); }
DesignPageState& stateOf(Page& page) { return std::any_cast<DesignPageState&>(page.extra); }
const DesignPageState& stateOf(const Page& page) { return std::any_cast<const DesignPageState&>(page.extra); }
WindowKind windowOf(const Page& page) { return stateOf(page).set == kCalendarDesign ? WindowKind::Calendar : WindowKind::RangeView; }
DesignPartOffer offerOf(const Page& page) { return designPartOffer(stateOf(page).set, page.part); }

int selection(const Page& page, int id) {
    const auto index = SendMessageW(page.item(id), CB_GETCURSEL, 0, 0);
    return index < 0 ? 0 : static_cast<int>(index);
}
void select(const Page& page, int id, int index) { SendMessageW(page.item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
void enable(const Page& page, int id, bool on) { EnableWindow(page.item(id), on ? TRUE : FALSE); }
bool checked(const Page& page, int id) { return IsDlgButtonChecked(page.dialog, id) == BST_CHECKED; }
void check(const Page& page, int id, bool on) { CheckDlgButton(page.dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }
void addText(HWND box, const std::string& cp932) {
    SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(cp932ToWide(cp932).c_str()));
}
std::wstring itemText(HWND box, int index) {
    const auto length = SendMessageW(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return L"";
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// --- The window ---


// Heights decide the layout: the window lays itself out anew.
void relayOut(const Page& page) {
    if (HWND window = findWindowOf(windowOf(page))) SendMessageW(window, UM_STATUSBAR, 0, 0);
}

// --- Custom colours of the colour chooser ---

CustomColours readCustomColours(const SettingsStore& store) {
    CustomColours colours;
    resetSettings(colours.data(), customColourTable());
    readSettings(colours.data(), customColourTable(), store);
    return colours;
}

void writeCustomColours(SettingsStore& store, const CustomColours& colours) {
    writeSettings(colours.data(), customColourTable(), store);
}

// --- Scheme files ---

std::string schemePath(const Page& page, const std::string& name) {
    return joinPath(page.context.settings->paths.programFolder, name + schemeExtension(stateOf(page).set));
}

bool hasExtension(const std::wstring& file, const std::wstring& extension) {
    return file.size() > extension.size() &&
           CompareStringOrdinal(file.c_str() + file.size() - extension.size(), -1, extension.c_str(), -1, TRUE) == CSTR_EQUAL;
}

void refreshSchemes(Page& page) {
    const DesignPageState& st = stateOf(page);
    HWND list = page.item(IDC_SCHEME_LIST);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    const std::wstring extension = cp932ToWide(schemeExtension(st.set));
    const std::wstring pattern = cp932ToWide(page.context.settings->paths.programFolder) + L"\\*" + extension;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found) != FALSE) {
        const std::wstring file = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && hasExtension(file, extension))
            SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(file.substr(0, file.size() - extension.size()).c_str()));
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    const std::wstring current = cp932ToWide(st.currentName);
    const auto index = current.empty() ? CB_ERR : SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                                reinterpret_cast<LPARAM>(current.c_str()));
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    enable(page, IDC_SCHEME_DELETE, index != CB_ERR);  // a scheme with a file: never the built-in 標準
}

// A value of the scheme changed: the window shows it, and no scheme is current.
void schemeChanged(Page& page) {
    page.notify();
    stateOf(page).currentName.clear();
    refreshSchemes(page);
}

// --- The controls of the area and state shown ---

void redrawSample(const Page& page) { InvalidateRect(page.item(IDC_DESIGN_SAMPLE), nullptr, TRUE); }

void showRelief(const Page& page) {
    const int relief = designOf(page).relief[page.part][stateOf(page).state];
    check(page, IDC_DESIGN_RELIEF, relief != 0);
    enable(page, IDC_DESIGN_RELIEF, offerOf(page).relief);
    enable(page, IDC_DESIGN_RAISED, offerOf(page).relief && relief != 0);
    enable(page, IDC_DESIGN_SUNKEN, offerOf(page).relief && relief != 0);
    check(page, IDC_DESIGN_RAISED, relief == kRaised);
    check(page, IDC_DESIGN_SUNKEN, relief == kSunken);
}

void showFont(const Page& page) {
    const DesignSet& d = designOf(page);
    const int v = page.part, s = stateOf(page).state;
    const bool font = offerOf(page).font;
    for (int id : {IDC_DESIGN_FACE, IDC_DESIGN_WIDTH_PERCENT, IDC_DESIGN_HEIGHT_PERCENT, IDC_DESIGN_BOLD, IDC_DESIGN_ITALIC,
                   IDC_DESIGN_UNDERLINE, IDC_DESIGN_FIXED_RATIO})
        enable(page, id, font);
    if (font) {
        SendMessageW(page.item(IDC_DESIGN_FACE), CB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(cp932ToWide(d.faceName[v][s]).c_str()));
        select(page, IDC_DESIGN_WIDTH_PERCENT, d.widthPercent[v][s] - 1);
        select(page, IDC_DESIGN_HEIGHT_PERCENT, d.heightPercent[v][s] - 1);
        enable(page, IDC_DESIGN_WIDTH_PERCENT, !d.fixedRatio[v][s]);
    } else {
        for (int id : {IDC_DESIGN_FACE, IDC_DESIGN_WIDTH_PERCENT, IDC_DESIGN_HEIGHT_PERCENT}) select(page, id, -1);
    }
    check(page, IDC_DESIGN_FIXED_RATIO, font && d.fixedRatio[v][s]);
    check(page, IDC_DESIGN_BOLD, d.bold[v][s]);
    check(page, IDC_DESIGN_ITALIC, d.italic[v][s]);
    check(page, IDC_DESIGN_UNDERLINE, d.underline[v][s]);
}

void showState(Page& page) {
    showRelief(page);
    showFont(page);
    redrawSample(page);
}

// A list shown only when the area offers it, its first entry chosen.
void fillOffered(const Page& page, int id, int count, const char* (*label)(int)) {
    HWND box = page.item(id);
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i) addText(box, label(i));
    select(page, id, count > 0 ? 0 : -1);
    enable(page, id, count > 0);
}

void showPart(Page& page) {
    DesignPageState& st = stateOf(page);
    const DesignSet& d = designOf(page);
    const DesignPartOffer offer = offerOf(page);
    st.dayKind = st.state = 0;
    fillOffered(page, IDC_DESIGN_DAY_KIND, offer.dayKinds, dayKindLabel);
    fillOffered(page, IDC_DESIGN_STATE, offer.states ? 2 : 0, designStateLabel);
    enable(page, IDC_DESIGN_HEIGHT, offer.height);
    select(page, IDC_DESIGN_HEIGHT, d.height[page.part] - 1);
    enable(page, IDC_DESIGN_BACKGROUND, offer.background);
    enable(page, IDC_DESIGN_TEXT, offer.text);
    const bool button = st.set == kCalendarDesign && page.part == kButton;
    enable(page, IDC_DESIGN_SYSTEM_COLOURS, button);
    check(page, IDC_DESIGN_SYSTEM_COLOURS, button && d.systemButtonColours);
    showState(page);
}

// --- The sample ---

void drawSample(const Page& page, const DRAWITEMSTRUCT& item) {
    const DesignSet& d = designOf(page);
    const DesignPageState& st = stateOf(page);
    const auto state = static_cast<DesignState>(st.state);
    const std::int32_t back = designColour(d, samplePart(st.set, page.part), st.dayKind, kBackground, state);
    const std::int32_t text = designColour(d, page.part, st.dayKind, kText, state);
    HBRUSH brush = CreateSolidBrush(back == kNoColour ? GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(back));
    FillRect(item.hDC, &item.rcItem, brush);
    DeleteObject(brush);
    FrameRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (text == kNoColour) return;
    HGDIOBJ font = SelectObject(item.hDC, reinterpret_cast<HFONT>(SendMessageW(page.dialog, WM_GETFONT, 0, 0)));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, static_cast<COLORREF>(text));
    SIZE size{};
    GetTextExtentPoint32W(item.hDC, L"Sample", 6, &size);
    const RECT& r = item.rcItem;
    TextOutW(item.hDC, r.left + (r.right - r.left - size.cx) / 2, r.top + (r.bottom - r.top - size.cy) / 2, L"Sample", 6);
    SelectObject(item.hDC, font);
}

bool onMessage(Page& page, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_DRAWITEM) return false;
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item.CtlID != IDC_DESIGN_SAMPLE) return false;
    drawSample(page, item);
    return true;
}

// --- Value changes ---

void onRelief(Page& page, int id) {
    std::int32_t& relief = designOf(page).relief[page.part][stateOf(page).state];
    std::int32_t wanted = relief;
    if (id == IDC_DESIGN_RELIEF) wanted = checked(page, IDC_DESIGN_RELIEF) ? (relief == 0 ? kRaised : relief) : kFlat;
    else if (checked(page, IDC_DESIGN_RELIEF)) wanted = checked(page, IDC_DESIGN_RAISED) ? kRaised : kSunken;
    if (wanted == relief) return;
    relief = wanted;
    showRelief(page);
    schemeChanged(page);
}

void chooseColour(Page& page, ColourRole role) {
    DesignPageState& st = stateOf(page);
    std::int32_t& slot = designOf(page).colour[page.part][st.dayKind][role][st.state];
    COLORREF custom[16];
    for (int i = 0; i < 16; ++i) custom[i] = static_cast<COLORREF>(st.custom[static_cast<std::size_t>(i)]);
    CHOOSECOLORW chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = page.dialog;
    chooser.rgbResult = slot == kNoColour ? 0 : static_cast<COLORREF>(slot);
    chooser.lpCustColors = custom;
    chooser.Flags = CC_RGBINIT | CC_FULLOPEN;
    const bool chosen = ChooseColorW(&chooser) != FALSE;
    for (int i = 0; i < 16; ++i) st.custom[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(custom[i]);
    if (!chosen || static_cast<std::int32_t>(chooser.rgbResult) == slot) return;
    slot = static_cast<std::int32_t>(chooser.rgbResult);
    redrawSample(page);
    schemeChanged(page);
}

void onFontValue(Page& page, int id) {
    DesignSet& d = designOf(page);
    const int v = page.part, s = stateOf(page).state;
    switch (id) {
        case IDC_DESIGN_FACE:
            copyToField(d.faceName[v][s], sizeof d.faceName[v][s],
                        wideToCp932(itemText(page.item(id), selection(page, id))));
            break;
        case IDC_DESIGN_WIDTH_PERCENT: d.widthPercent[v][s] = selection(page, id) + 1; break;
        case IDC_DESIGN_HEIGHT_PERCENT: d.heightPercent[v][s] = selection(page, id) + 1; break;
        case IDC_DESIGN_BOLD: d.bold[v][s] = checked(page, id); break;
        case IDC_DESIGN_ITALIC: d.italic[v][s] = checked(page, id); break;
        case IDC_DESIGN_UNDERLINE: d.underline[v][s] = checked(page, id); break;
        case IDC_DESIGN_FIXED_RATIO:
            d.fixedRatio[v][s] = checked(page, id);
            enable(page, IDC_DESIGN_WIDTH_PERCENT, !d.fixedRatio[v][s]);
            break;
        default: return;
    }
    schemeChanged(page);
}

void onHeight(Page& page) {
    designOf(page).height[page.part] = selection(page, IDC_DESIGN_HEIGHT) + 1;
    relayOut(page);
    schemeChanged(page);
    SetFocus(page.item(IDC_DESIGN_HEIGHT));
}

// --- Choosing, saving and deleting schemes ---

void chooseScheme(Page& page) {
    DesignPageState& st = stateOf(page);
    DesignSet& d = designOf(page);
    HWND list = page.item(IDC_SCHEME_LIST);
    const auto index = SendMessageW(list, CB_GETCURSEL, 0, 0);
    const std::string name = index < 0 ? std::string() : wideToCp932(itemText(list, static_cast<int>(index)));
    copyToField(d.schemeName, sizeof d.schemeName, st.currentName);
    enable(page, IDC_SCHEME_DELETE, index >= 0);
    if (name.empty() || name == d.schemeName) return;  // the current scheme is not read again
    const std::string path = schemePath(page, name);
    const FileContent file = st.files.readFile(path);
    if (!file.opened || !file.complete) {
        tell(page, std::wstring(L"配色のファイルを読めないため、今の配色のままにします。\n")
                       .append(cp932ToWide(path)).append(L"\n").append(cp932ToWide(file.problem)));
        refreshSchemes(page);
        return;
    }
    parseSchemeFile(d, st.set, file.content, win::designMetrics(), &st.custom);
    copyToField(d.schemeName, sizeof d.schemeName, name);
    st.currentName = name;
    relayOut(page);
    page.notify();
    showPart(page);
}

struct SaveDialog final : win::Dialog {
    explicit SaveDialog(Page& p) : page(&p) {}
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    Page* page;
};

void warnIn(HWND dialog, const std::wstring& text) { win::tellUser(dialog, text); }

// The typed name, or empty after telling why it cannot name a scheme file.
std::string acceptedName(HWND dialog) {
    wchar_t typed[256] = {};
    GetDlgItemTextW(dialog, IDC_SCHEME_NAME, typed, 256);
    std::string problem;
    if (const std::wstring bad = unstorableInCp932(typed); !bad.empty()) problem = "次の文字は名前に使えません: " + wideToCp932(bad);
    const std::string name = wideToCp932(typed);
    if (problem.empty()) problem = schemeNameProblem(name);
    if (problem.empty()) return name;
    warnIn(dialog, cp932ToWide(problem));
    SetFocus(GetDlgItem(dialog, IDC_SCHEME_NAME));
    return "";
}

bool saveScheme(SaveDialog& save) {
    Page& page = *save.page;
    DesignPageState& st = stateOf(page);
    const std::string name = acceptedName(save.dialog);
    if (name.empty()) return false;
    DesignSet named = designOf(page);
    copyToField(named.schemeName, sizeof named.schemeName, name);
    const std::string path = schemePath(page, name);
    if (const SaveResult saved = saveSchemeFile(st.files, path, named, st.set, st.custom); !saved) {
        warnIn(save.dialog, std::wstring(L"配色を保存できませんでした。\n").append(cp932ToWide(path)).append(L"\n").append(
                                cp932ToWide(saved.reason)));
        return false;
    }
    copyToField(designOf(page).schemeName, sizeof named.schemeName, name);
    st.currentName = name;
    return true;
}

INT_PTR SaveDialog::onMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        SendDlgItemMessageW(dialog, IDC_SCHEME_NAME, EM_LIMITTEXT, kSchemeNameChars, 0);
        SetDlgItemTextW(dialog, IDC_SCHEME_NAME, cp932ToWide(designOf(*page).schemeName).c_str());
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wParam) == IDOK && saveScheme(*this)) EndDialog(dialog, IDOK);
    if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
    return TRUE;
}

void saveAs(Page& page) {
    if (SaveDialog(page).runModal(page.context.instance, L"COLORSAVE", page.dialog) == IDOK) refreshSchemes(page);
}

void deleteScheme(Page& page) {
    DesignPageState& st = stateOf(page);
    if (st.currentName.empty() || !schemeNameProblem(st.currentName).empty()) return;
    if (!win::askUser(page.dialog, L"配色「" + cp932ToWide(st.currentName) + L"」を削除しますか。")) return;
    const std::wstring path = cp932ToWide(schemePath(page, st.currentName));
    if (!DeleteFileW(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
        tell(page, std::wstring(L"配色のファイルを削除できませんでした。\n").append(path));
        return;
    }
    st.currentName.clear();
    refreshSchemes(page);
}

// --- The page ---

void command(Page& page, int id, int code) {
    const bool picked = code == CBN_SELCHANGE, clicked = code == BN_CLICKED;
    DesignSet& d = designOf(page);
    if (id == IDC_DESIGN_PART && picked) {
        page.part = selection(page, id);
        showPart(page);
    } else if (id == IDC_DESIGN_STATE && picked) {
        stateOf(page).state = selection(page, id);
        showState(page);
    } else if (id == IDC_DESIGN_DAY_KIND && picked) {
        stateOf(page).dayKind = selection(page, id);
        redrawSample(page);
    } else if ((id == IDC_DESIGN_RELIEF || id == IDC_DESIGN_RAISED || id == IDC_DESIGN_SUNKEN) && clicked) {
        onRelief(page, id);
    } else if ((id == IDC_DESIGN_BACKGROUND || id == IDC_DESIGN_TEXT) && clicked) {
        chooseColour(page, id == IDC_DESIGN_BACKGROUND ? kBackground : kText);
    } else if (id == IDC_DESIGN_HEIGHT && picked) {
        onHeight(page);
    } else if ((id == IDC_DESIGN_FACE || id == IDC_DESIGN_WIDTH_PERCENT || id == IDC_DESIGN_HEIGHT_PERCENT) && picked) {
        onFontValue(page, id);
    } else if (id >= IDC_DESIGN_BOLD && id <= IDC_DESIGN_UNDERLINE && clicked) {
        onFontValue(page, id);
    } else if (id == IDC_DESIGN_FIXED_RATIO && clicked) {
        onFontValue(page, id);
    } else if (id == IDC_DESIGN_SYSTEM_COLOURS && clicked) {
        d.systemButtonColours = checked(page, id);
        schemeChanged(page);
    } else if (id == IDC_DESIGN_SMOOTHING && clicked) {
        d.forcedSmoothing = checked(page, id);  // no scheme holds it
        page.notify();
    } else if (id == IDC_SCHEME_LIST && picked) {
        chooseScheme(page);
    } else if (id == IDC_SCHEME_SAVE && clicked) {
        saveAs(page);
    } else if (id == IDC_SCHEME_DELETE && clicked) {
        deleteScheme(page);
    }
}

int CALLBACK addFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM box) {
    const auto list = reinterpret_cast<HWND>(box);
    if (font->lfFaceName[0] != L'@' &&  // vertical faces
        SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(font->lfFaceName)) == CB_ERR)
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font->lfFaceName));
    return 1;
}

void fillLists(Page& page) {
    const DesignSetKind set = stateOf(page).set;
    for (int part = 0; part < designPartCount(set); ++part) addText(page.item(IDC_DESIGN_PART), designPartOffer(set, part).label);
    for (int id : {IDC_DESIGN_HEIGHT, IDC_DESIGN_WIDTH_PERCENT, IDC_DESIGN_HEIGHT_PERCENT})
        for (int n = 1; n <= 99; ++n) addText(page.item(id), std::to_string(n));
    HWND window = findWindowOf(windowOf(page));
    HDC dc = GetDC(window ? window : page.dialog);
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &all, addFamily, reinterpret_cast<LPARAM>(page.item(IDC_DESIGN_FACE)), 0);
    ReleaseDC(window ? window : page.dialog, dc);
}

template <int Set>
void init(Page& page) {
    DesignPageState st;
    st.set = static_cast<DesignSetKind>(Set);
    st.currentName = designOf(page).schemeName;
    st.custom = st.customAtOpening = readCustomColours(page.context.store);
    page.extra = std::move(st);
    page.part = 0;
    fillLists(page);
    select(page, IDC_DESIGN_PART, 0);
    showPart(page);
    check(page, IDC_DESIGN_SMOOTHING, designOf(page).forcedSmoothing);
    refreshSchemes(page);
}

// OK: the scheme shown as current is the record's; the chooser's custom colours are kept.
bool confirm(Page& page) {
    copyToField(designOf(page).schemeName, sizeof(DesignSet::schemeName), stateOf(page).currentName);
    if (stateOf(page).custom != stateOf(page).customAtOpening) writeCustomColours(page.context.store, stateOf(page).custom);
    return true;
}

void restored(Page& page) { relayOut(page); }

template <int Set>
const PageKind& makeDesignPage() {
    static const PageKind kind{
        L"DESIGN",
        [](SharedSettings& s) -> void* { return &s.design[Set]; },
        sizeof(DesignSet),
        [] () -> const SettingsTable& {
            static const SettingsTable table = designSettingsTable(static_cast<DesignSetKind>(Set), DesignMetrics{0, 0});
            return table;
        },
        {},
        kindBit(Set == kCalendarDesign ? WindowKind::Calendar : WindowKind::RangeView),
        kRefreshDesign,
        false,
        nullptr,
        command,
        confirm,
        init<Set>,
        nullptr,
        restored,
        nullptr,
        onMessage,
    };
    return kind;
}

}  // namespace

const PageKind& calendarDesignPage() { return makeDesignPage<kCalendarDesign>(); }
const PageKind& rangeDesignPage() { return makeDesignPage<kRangeViewDesign>(); }

}  // namespace tavo::options
