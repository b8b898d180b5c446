#include "ui/win32/Peers.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "sys/Error.h"
#include "ui/win32/RadioLayout.h"
#include "ui/win32/Texts.h"

namespace ui::win32 {

namespace {

// The peers by window: a table of our own rather than GWL_USERDATA, since notifications also
// come from windows that are not ours (the list of a drop-down, for one), whose user data
// means nothing here. A plain list: it holds the couple of hundred windows of one window,
// and a look-up is a short scan.
struct Claimed {
    HWND window;
    WindowPeer* peer;
};
std::vector<Claimed>& Registry() {
    static std::vector<Claimed> peers;
    return peers;
}

FaultReporter* reporter = nullptr;

void Report(const std::string& text) {
    if (reporter) reporter->ReportFault(text);
}

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    bool handled = false;
    const LRESULT result = Guarded(
        [&] {
            LRESULT answer = 0;
            handled = RouteToPeer(message, wParam, lParam, answer);
            return answer;
        },
        0);
    return handled ? result : DefWindowProcA(window, message, wParam, lParam);
}

int TextHeight(HFONT font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

// Button face behind the text, the text black or in the window-text colour.
HBRUSH FaceColour(HDC dc, bool blackText) {
    SetTextColor(dc, blackText ? RGB(0, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

HWND CreatePart(HWND parent, const char* windowClass, const std::string& text, DWORD style, int left,
                int top, int width, int height, int id, HFONT font) {
    HWND window = CreateWindowWithText(0, windowClass, text, WS_CHILD | style, left, top, width, height, parent, id);
    if (!window) throw sys::Error(std::string("cannot create a window of class ") + windowClass);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return window;
}

// Switches the themes off for one window. Where the system themes controls, uxtheme.dll is
// in the process by the time a common control exists (the common controls load it, Wine's
// too); the systems of the era have no such library and nothing to switch off, so it is
// bound at run time. A class list of one blank matches no theme class, and the window draws
// itself classically (under Wine an empty list changes nothing).
void DrawUnthemed(HWND window) {
    HMODULE themes = GetModuleHandleA("uxtheme.dll");
    if (!themes) return;
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, const wchar_t*, const wchar_t*);
    if (auto set = reinterpret_cast<SetWindowThemeFn>(reinterpret_cast<void*>(GetProcAddress(themes, "SetWindowTheme"))))
        set(window, L" ", L" ");
}

// Moves a window to the bottom of its siblings' Z order: beneath them (they are drawn over
// it), and last for the Tab key.
void SinkToBottom(HWND window) {
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

// Character height 12 pixels, internal leading excluded; in English the system's usual
// dialog face at its usual 8 points, and a fixed-pitch face that keeps the reports' columns.
HFONT NewWindowFont() {
    return CreateWindowFont("ＭＳ Ｐゴシック", L"ＭＳ Ｐゴシック", "MS Sans Serif",
                            CurrentTextMode().language == sys::Language::English ? -11 : -12,
                            DEFAULT_PITCH | FF_DONTCARE);
}

HFONT NewFixedFont() {
    return CreateWindowFont("ＭＳ ゴシック", L"ＭＳ ゴシック", "Courier New", -12, FIXED_PITCH | FF_MODERN);
}

HFONT WindowFont() {
    static HFONT font = NewWindowFont();
    return font;
}

HFONT FixedFont() {
    static HFONT font = NewFixedFont();
    return font;
}

void SetFaultReporter(FaultReporter* newReporter) { reporter = newReporter; }

void ReportFault(const std::exception& e) { Report(sys::TextOf(e, CurrentTextMode().language)); }

void ReportUnknownFault() { Report(sys::Text(CurrentTextMode().language, sys::Message::UnexpectedError)); }

bool RouteToPeer(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        if (WindowPeer* peer = WindowPeer::Of(reinterpret_cast<HWND>(lParam))) {
            peer->Command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            result = 0;
            return true;
        }
        return false;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (WindowPeer* peer = WindowPeer::Of(header->hwndFrom)) return peer->Notify(*header, result);
        return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (WindowPeer* peer = WindowPeer::Of(reinterpret_cast<HWND>(lParam))) {
            if (HBRUSH brush = peer->Colour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam))) {
                result = reinterpret_cast<LRESULT>(brush);
                return true;
            }
        }
        return false;
    default:
        return false;
    }
}

const char* ContainerClass() {
    static const char* name = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ContainerProc;
        wc.hInstance = Instance();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "TovikaContainer";
        if (!RegisterClassA(&wc)) throw sys::Error("cannot register the container window class");
        return wc.lpszClassName;
    }();
    return name;
}

// ---- WindowPeer

WindowPeer::~WindowPeer() {
    auto& peers = Registry();
    peers.erase(std::remove_if(peers.begin(), peers.end(), [this](const Claimed& c) { return c.peer == this; }),
                peers.end());
    if (control_.peer() == this) control_.AttachPeer(nullptr);
}

WindowPeer* WindowPeer::Of(HWND window) {
    if (!window) return nullptr;
    for (const Claimed& c : Registry())
        if (c.window == window) return c.peer;
    return nullptr;
}

// A handle can come again once its window is gone: the newer claim replaces the older.
void WindowPeer::Claim(HWND window, WindowPeer* peer) {
    for (Claimed& c : Registry())
        if (c.window == window) {
            c.peer = peer;
            return;
        }
    Registry().push_back({window, peer});
}

void WindowPeer::Changed(ui::Change what) {
    if (!handle_) return;
    switch (what) {
    case ui::Change::Enabled: EnableWindow(handle_, control_.Enabled()); break;
    case ui::Change::Caption: SetText(handle_, control_.Caption()); break;
    default: break;
    }
}

HBRUSH WindowPeer::Colour(HWND, HDC dc) { return FaceColour(dc, blackText_); }

HWND WindowPeer::Create(const char* windowClass, const std::string& text, DWORD style, DWORD exStyle,
                        const Placement& place) {
    if (place.tabStop) style |= WS_TABSTOP;
    if (!control_.Enabled()) style |= WS_DISABLED;
    // WS_CLIPSIBLINGS: a control never paints over the siblings above it (a long label
    // stays beneath the button next to it).
    handle_ = CreateWindowWithText(exStyle, windowClass, text, WS_CHILD | WS_CLIPSIBLINGS | style, place.left,
                                   place.top, place.width, place.height, place.parent, place.id);
    if (!handle_) throw sys::Error("cannot create the window of " + control_.Name());
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(place.font), FALSE);
    blackText_ = place.blackText;
    Claim(handle_, this);
    return handle_;
}

// ---- Button

ButtonPeer::ButtonPeer(ui::TButton& button, const Placement& place) : WindowPeer(button), button_(button) {
    Create("BUTTON", button.Caption(), WS_VISIBLE | BS_PUSHBUTTON, 0, place);
}

void ButtonPeer::Command(HWND, UINT code) {
    if (code == BN_CLICKED) button_.Click();
}

// ---- CheckBox

CheckBoxPeer::CheckBoxPeer(ui::TCheckBox& box, const Placement& place) : WindowPeer(box), box_(box) {
    Create("BUTTON", box.Caption(), WS_VISIBLE | BS_CHECKBOX, 0, place);
    Changed(ui::Change::Selection);
}

void CheckBoxPeer::Changed(ui::Change what) {
    if (what != ui::Change::Selection) return WindowPeer::Changed(what);
    if (handle_) SendMessageA(handle_, BM_SETCHECK, box_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBoxPeer::Command(HWND, UINT code) {
    if (code != BN_CLICKED) return;
    box_.SetChecked(!box_.Checked());
    Changed(ui::Change::Selection);
}

// ---- Label

LabelPeer::LabelPeer(ui::TLabel& label, const Placement& place) : WindowPeer(label) {
    Create("STATIC", label.Caption(), WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY, 0, place);
    FitText();
}

void LabelPeer::Changed(ui::Change what) {
    WindowPeer::Changed(what);
    if (what == ui::Change::Caption) FitText();
}

void LabelPeer::FitText() {
    if (!handle_) return;
    const std::string& text = control_.Caption();
    HDC dc = GetDC(handle_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(handle_, WM_GETFONT, 0, 0)));
    SIZE size = MeasureText(dc, text);
    if (text.empty()) {
        TEXTMETRICA metrics = {};
        GetTextMetricsA(dc, &metrics);
        size.cy = metrics.tmHeight;
    }
    SelectObject(dc, old);
    ReleaseDC(handle_, dc);
    SetWindowPos(handle_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- Panel

PanelPeer::PanelPeer(ui::TPanel& panel, const Placement& place) : WindowPeer(panel) {
    Create(ContainerClass(), "", WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, place);
}

// ---- GroupBox

GroupBoxPeer::GroupBoxPeer(ui::TGroupBox& box, const Placement& place) : WindowPeer(box) {
    Placement container = place;
    container.tabStop = false;
    // No WS_CLIPCHILDREN: the frame covers the whole box, and the box's background must be
    // erased beneath it. WS_CLIPSIBLINGS: the frame never paints over the controls on it.
    Create(ContainerClass(), "", WS_VISIBLE, WS_EX_CONTROLPARENT, container);
    frame_ = CreatePart(handle_, "BUTTON", box.Caption(),
                        WS_VISIBLE | BS_GROUPBOX | WS_GROUP | WS_CLIPSIBLINGS, 0, 0, place.width,
                        place.height, 0xFFFF, place.font);
    Claim(frame_, this);
}

void GroupBoxPeer::Changed(ui::Change what) {
    if (what == ui::Change::Caption) SetText(frame_, control_.Caption());
    else WindowPeer::Changed(what);
}

// A child created later lands beneath the frame; the frame goes back to the bottom.
void GroupBoxPeer::ChildAdded(WindowPeer&) { SinkToBottom(frame_); }

// ---- RadioGroup

RadioGroupPeer::RadioGroupPeer(ui::TRadioGroup& group, const Placement& place)
    : WindowPeer(group), group_(group) {
    Placement container = place;
    container.tabStop = false;  // the Tab key stops on an item, not on the group's window
    // Without WS_CLIPCHILDREN, as the group box: the background is erased beneath the frame.
    Create(ContainerClass(), "", WS_VISIBLE, WS_EX_CONTROLPARENT, container);
    const DWORD disabled = group.Enabled() ? 0 : WS_DISABLED;
    const auto boxes = ArrangeRadioItems(static_cast<int>(group.Items.size()), group.Columns,
                                         place.width, place.height, TextHeight(place.font));
    for (size_t i = 0; i < boxes.size(); ++i) {
        const ItemBox& b = boxes[i];
        // WS_GROUP on the first item: the arrow keys move among the items only.
        HWND item = CreatePart(handle_, "BUTTON", group.Items[i],
                               WS_VISIBLE | BS_RADIOBUTTON | disabled | (i == 0 ? WS_GROUP : 0),
                               b.left, b.top, b.width, b.height, 100 + static_cast<int>(i), place.font);
        Claim(item, this);
        items_.push_back(item);
    }
    frame_ = CreatePart(handle_, "BUTTON", group.Caption(),
                        WS_VISIBLE | BS_GROUPBOX | WS_GROUP | WS_CLIPSIBLINGS | disabled, 0, 0,
                        place.width, place.height, 0xFFFF, place.font);
    Claim(frame_, this);
    SinkToBottom(frame_);
    tabStop_ = place.tabStop;
    MirrorSelection();
}

void RadioGroupPeer::Changed(ui::Change what) {
    switch (what) {
    case ui::Change::Selection: MirrorSelection(); break;
    case ui::Change::Caption: SetText(frame_, control_.Caption()); break;
    case ui::Change::Enabled:
        for (HWND item : items_) EnableWindow(item, group_.Enabled());
        EnableWindow(frame_, group_.Enabled());
        break;
    default: break;
    }
}

// BS_RADIOBUTTON sends BN_DOUBLECLICKED instead of a second BN_CLICKED: both choose the item.
void RadioGroupPeer::Command(HWND from, UINT code) {
    if (code != BN_CLICKED && code != BN_DOUBLECLICKED) return;
    const auto found = std::find(items_.begin(), items_.end(), from);
    if (found == items_.end()) return;
    group_.SetItemIndex(static_cast<int>(found - items_.begin()));
    MirrorSelection();  // also when the index was already this item
}

// Checks the selected item only; the Tab key stops on it, or on the first item when none is
// selected.
void RadioGroupPeer::MirrorSelection() {
    const int selected = group_.ItemIndex();
    for (size_t i = 0; i < items_.size(); ++i) {
        const int index = static_cast<int>(i);
        SendMessageA(items_[i], BM_SETCHECK, index == selected ? BST_CHECKED : BST_UNCHECKED, 0);
        const LONG style = GetWindowLongA(items_[i], GWL_STYLE);
        const bool stop = tabStop_ && index == std::max(selected, 0);
        SetWindowLongA(items_[i], GWL_STYLE, stop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
}

// ---- ComboBox

ComboBoxPeer::ComboBoxPeer(ui::TComboBox& list, const Placement& place) : WindowPeer(list), list_(list) {
    // The height given at creation is that of the box with its list dropped down (Windows 95
    // and NT 4.0 do not size the list themselves): room for every item.
    constexpr int kItemHeight = 12;
    Placement dropped = place;
    dropped.height = place.height + static_cast<int>(list.Items.size()) * kItemHeight + 4;
    Create("COMBOBOX", "", WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 0, dropped);
    for (const auto& item : list.Items) SendText(handle_, CB_ADDSTRING, 0, item);
    SendMessageA(handle_, CB_SETITEMHEIGHT, 0, kItemHeight);
    // The closed box takes its height from its selection field: make it the given height.
    // The box is the field plus a fixed frame; that frame is measured by setting the field to
    // the height it reports (Wine reports 2 more than was set, Windows the same).
    auto boxHeight = [this] {
        RECT box = {};
        GetWindowRect(handle_, &box);
        return static_cast<int>(box.bottom - box.top);
    };
    if (boxHeight() != place.height) {
        const LRESULT field = SendMessageA(handle_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
        if (field != CB_ERR && SendMessageA(handle_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field) != CB_ERR) {
            const int frame = boxHeight() - static_cast<int>(field);
            if (place.height - frame > 0)
                SendMessageA(handle_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), place.height - frame);
        }
    }
    Changed(ui::Change::Selection);
}

void ComboBoxPeer::Changed(ui::Change what) {
    if (what != ui::Change::Selection) return WindowPeer::Changed(what);
    if (handle_) SendMessageA(handle_, CB_SETCURSEL, static_cast<WPARAM>(list_.ItemIndex()), 0);
}

void ComboBoxPeer::Command(HWND, UINT code) {
    if (code != CBN_SELCHANGE) return;
    list_.SetItemIndex(static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0)));
    Changed(ui::Change::Selection);
}

HBRUSH ComboBoxPeer::Colour(HWND, HDC) { return nullptr; }  // the system's own text-box colours

// ---- Memo

MemoPeer::MemoPeer(ui::TMemo& memo, const Placement& place) : WindowPeer(memo), memo_(memo) {
    Create("EDIT", memo.Text(), WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
           WS_EX_CLIENTEDGE, place);
}

void MemoPeer::Changed(ui::Change what) {
    if (!handle_) return;
    switch (what) {
    case ui::Change::Lines:
        if (!memo_.DoubleBuffered) {
            SetText(handle_, memo_.Text());
            break;
        }
        // One repaint for the whole text: drawing stays off while it is replaced.
        SendMessageA(handle_, WM_SETREDRAW, FALSE, 0);
        SetText(handle_, memo_.Text());
        SendMessageA(handle_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        break;
    case ui::Change::Repaint: InvalidateRect(handle_, nullptr, TRUE); break;
    case ui::Change::Enabled: EnableWindow(handle_, memo_.Enabled()); break;
    default: break;
    }
}

HBRUSH MemoPeer::Colour(HWND, HDC dc) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
}

// ---- TabSheet

TabSheetPeer::TabSheetPeer(ui::TTabSheet& sheet, const Placement& place)
    : WindowPeer(sheet), sheet_(sheet), width_(place.width), height_(place.height) {
    Placement page = place;
    page.tabStop = false;
    Create(ContainerClass(), "", WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, page);
}

void TabSheetPeer::Changed(ui::Change what) {
    if (what == ui::Change::Caption && owner_) owner_->Rebuild();
    else if (what != ui::Change::Caption) WindowPeer::Changed(what);
}

// ---- PageControl

PageControlPeer::PageControlPeer(ui::TPageControl& pages, const Placement& place)
    : WindowPeer(pages), pages_(pages) {
    Create(WC_TABCONTROLA, "", WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, place);
    DrawUnthemed(handle_);
}

void PageControlPeer::Changed(ui::Change what) {
    if (what == ui::Change::Tabs) Sync();
    else WindowPeer::Changed(what);
}

void PageControlPeer::ChildAdded(WindowPeer& child) {
    auto* sheet = dynamic_cast<TabSheetPeer*>(&child);
    if (!sheet) return;
    sheet->owner_ = this;
    sheets_.push_back(sheet);
    Sync();
    FitPages();
}

void PageControlPeer::Rebuild() {
    row_.clear();
    Sync();
}

void PageControlPeer::Sync() {
    if (!handle_) return;
    const std::vector<ui::TTabSheet*> visible = pages_.VisibleTabs();
    if (visible != row_) {
        SendMessageA(handle_, TCM_DELETEALLITEMS, 0, 0);
        row_.clear();
        for (ui::TTabSheet* page : visible) {
            // Only the pages that have a window here go into the row.
            if (std::none_of(sheets_.begin(), sheets_.end(), [page](TabSheetPeer* s) { return &s->Sheet() == page; }))
                continue;
            InsertTab(handle_, static_cast<int>(row_.size()), page->Caption());
            row_.push_back(page);
        }
    }
    const auto at = std::find(row_.begin(), row_.end(), pages_.ActivePage());
    const int selected = at == row_.end() ? -1 : static_cast<int>(at - row_.begin());
    if (SendMessageA(handle_, TCM_GETCURSEL, 0, 0) != selected)
        SendMessageA(handle_, TCM_SETCURSEL, static_cast<WPARAM>(selected), 0);
    // Show the active page first, then hide the others: the focus leaves a page that hides.
    HWND focus = GetFocus();
    for (TabSheetPeer* sheet : sheets_) {
        if (&sheet->Sheet() != pages_.ActivePage()) continue;
        if (maker_) maker_->BeforeShow(*sheet);
        ShowWindow(sheet->Handle(), SW_SHOW);
    }
    for (TabSheetPeer* sheet : sheets_) {
        if (&sheet->Sheet() == pages_.ActivePage()) continue;
        if (focus && IsChild(sheet->Handle(), focus)) SetFocus(handle_);
        ShowWindow(sheet->Handle(), SW_HIDE);
    }
}

// The pages fill the tab control's display area. The tab row takes the height that leaves
// the pages exactly their designed height, whatever the font's metrics make of it.
void PageControlPeer::FitPages() {
    if (sheets_.empty()) return;
    auto display = [this] {
        RECT r = {};
        GetClientRect(handle_, &r);
        SendMessageA(handle_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
        return r;
    };
    RECT area = display();
    const int excess = (area.bottom - area.top) - sheets_.front()->Height();
    RECT tab = {};
    if (excess != 0 && SendMessageA(handle_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab))) {
        const int rowHeight = tab.bottom - tab.top + excess;
        if (rowHeight > 0) {
            SendMessageA(handle_, TCM_SETITEMSIZE, 0, MAKELPARAM(0, rowHeight));
            area = display();
        }
    }
    for (TabSheetPeer* sheet : sheets_)
        SetWindowPos(sheet->Handle(), nullptr, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool PageControlPeer::Notify(const NMHDR& header, LRESULT& result) {
    switch (header.code) {
    case TCN_SELCHANGING:
        result = FALSE;  // the page may always change
        return true;
    case TCN_SELCHANGE: {
        const auto index = SendMessageA(handle_, TCM_GETCURSEL, 0, 0);
        if (index >= 0 && index < static_cast<LRESULT>(row_.size()))
            pages_.SetActivePage(row_[static_cast<size_t>(index)]);
        Sync();  // also when the control refused: the row shows the model's page
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

void PageControlPeer::Cycle(int step) {
    if (row_.empty()) return;
    const auto at = std::find(row_.begin(), row_.end(), pages_.ActivePage());
    const int n = static_cast<int>(row_.size());
    const int from = at == row_.end() ? 0 : static_cast<int>(at - row_.begin());
    pages_.SetActivePage(row_[static_cast<size_t>(((from + step) % n + n) % n)]);
    Sync();
}

HWND PageControlPeer::ActivePageHandle() const {
    for (TabSheetPeer* sheet : sheets_)
        if (&sheet->Sheet() == pages_.ActivePage()) return sheet->Handle();
    return nullptr;
}

}  // namespace ui::win32
