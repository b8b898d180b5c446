#include "app/win32/MainWindow.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <string_view>
#include <vector>

#include "app/Layout.h"
#include "app/EntrySequence.h"
#include "app/Unit1.h"
#include "app/win32/Profile.h"
#include "app/win32/Win32Dialogs.h"
#include "sys/Error.h"
#include "sys/win32/Win32System.h"
#include "ui/win32/Peers.h"
#include "ui/win32/Texts.h"

namespace app::win32 {

namespace {

using ui::win32::WindowPeer;

constexpr const char* kWindowClass = kMainWindowClass;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// The common controls (the tab control) are bound at run time, so that the program loads
// on every system and the entry sequence can tell the user when the library is too old.
void InitCommonControlsAtRunTime() {
    HMODULE library = LoadLibraryA("comctl32.dll");
    if (!library) return;
    struct Init { DWORD size, classes; };
    using InitEx = BOOL(WINAPI*)(const Init*);
    using InitOld = void(WINAPI*)();
    if (auto ex = reinterpret_cast<InitEx>(reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")))) {
        const Init init{sizeof(Init), 0x00000008 /* ICC_TAB_CLASSES */};
        if (ex(&init)) return;
    }
    if (auto old = reinterpret_cast<InitOld>(reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControls"))))
        old();
}

// Shows the faults that the window procedures stop in the information message.
class FaultMessages : public ui::win32::FaultReporter {
public:
    explicit FaultMessages(Win32Dialogs& dialogs) : dialogs_(dialogs) {}
    void ReportFault(const std::string& text) override { dialogs_.Inform(text); }

private:
    Win32Dialogs& dialogs_;
};

// The system as the window sees it: where the Japanese goes through the Unicode API, the
// regional separators (in the system's code page) are written in code page 932, as the
// reports' other texts are.
class WindowEnvironment : public sys::Win32Environment {
public:
    sys::NumberFormat Separators() override {
        sys::NumberFormat format = Win32Environment::Separators();
        if (ui::win32::CurrentTextMode().unicode) {
            format.thousands = ui::win32::SystemTextIn932(format.thousands);
            format.decimal = ui::win32::SystemTextIn932(format.decimal);
        }
        return format;
    }
};

// One public base class only: a class with several, or a private one, needs the runtime's
// type information for such classes (3 KiB of the executable).
class MainWindow : public ui::win32::PageMaker {
public:
    explicit MainWindow(hw::TPortArray& port)
        : form_(Services{port, dialogs_, files_, env_, ui::win32::CurrentTextMode().language}), peerByRow_(WindowLayout().size()) {}
    ~MainWindow() {
        ui::win32::SetFaultReporter(nullptr);
        Win32Dialogs::SetOwner(nullptr);
    }

    int Run(HINSTANCE instance, int showCommand);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool PreTranslate(const MSG& message);

    // The controls of one tab page in their order of creation, and how many have been made.
    struct PageRows {
        const ControlLayout* sheet;
        const ui::win32::TabSheetPeer* peer;
        std::vector<const ControlLayout*> rows;
        std::size_t made = 0;
    };

    void BeforeShow(ui::win32::TabSheetPeer& page) override;

    void CreateControls(const char* parentName, WindowPeer* parent);
    WindowPeer& CreateControl(const ControlLayout& row, WindowPeer* parent);
    std::unique_ptr<WindowPeer> CreatePeer(const ControlLayout& row, const ui::win32::Placement& place);
    void CreateNext(PageRows& page);
    void CreateRestOfPage(std::size_t index);
    bool CreateNextAtIdle();
    void FocusFirstControl();

    Win32Dialogs dialogs_;
    FaultMessages faults_{dialogs_};
    sys::Win32FileSystem files_;
    WindowEnvironment env_;
    TfrmMAIN form_;
    // After the model: the peers go first and detach themselves from its controls.
    std::vector<std::unique_ptr<WindowPeer>> peers_;
    std::vector<WindowPeer*> peerByRow_;  // by position in the layout table; nullptr: not made
    std::vector<PageRows> pageRows_;  // in the table's order of the pages
    ui::win32::PageControlPeer* pages_ = nullptr;
    HWND window_ = nullptr;
    HWND lastFocus_ = nullptr;
    bool shown_ = false;
    std::string createError_;
};

int MainWindow::Run(HINSTANCE instance, int showCommand) {
    InitCommonControlsAtRunTime();
    profile::Mark("comctl32 bound and initialised");
    ui::win32::SetFaultReporter(&faults_);

    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;  // FormDblClick
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw sys::Error("cannot register the window class TfrmMAIN");
    profile::Mark("window class");

    RECT frame = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    if (!CreateWindowExA(0, kWindowClass, "TOVIKA", kWindowStyle, left, top, width, height, nullptr, nullptr,
                         instance, this))
        throw sys::Error(createError_.empty() ? "cannot create the main window" : createError_);

    ShowWindow(window_, showCommand);
    profile::Mark("ShowWindow");
    UpdateWindow(window_);
    profile::Mark("first paint");

    // The pages not shown yet get their controls while the window has nothing else to do,
    // one control at a time, so that a click or a key is never kept waiting for more than
    // one; a page that is shown before then gets the rest of its controls at once.
    MSG message;
    for (;;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) break;
        } else {
            bool created = false;
            ui::win32::Guarded([&]() -> LRESULT { return created = CreateNextAtIdle(); }, 0);
            if (created) continue;
            if (GetMessageA(&message, nullptr, 0, 0) <= 0) break;
        }
        if (PreTranslate(message) || IsDialogMessageA(window_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    for (auto& peer : peers_) peer->Forget();  // their windows went with the main window
    return static_cast<int>(message.wParam);
}

LRESULT CALLBACK MainWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    bool handled = false;
    const LRESULT result = ui::win32::Guarded(
        [&] {
            LRESULT answer = 0;
            handled = self->Handle(message, wParam, lParam, answer);
            return answer;
        },
        0);
    return handled ? result : DefWindowProcA(window, message, wParam, lParam);
}

bool MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_CREATE:
        // A window without its controls is no use: the creation fails and says why.
        profile::Mark("main window");
        try {
            Win32Dialogs::SetOwner(window_);
            CreateControls(nullptr, nullptr);
        } catch (const std::exception& e) {
            createError_ = sys::TextOf(e, form_.Language());
            result = -1;
            return true;
        }
        profile::Mark("controls of the window and its first page");
        form_.Dispatch(&TfrmMAIN::FormCreate, nullptr);
        profile::Mark("FormCreate");
        result = 0;
        return true;
    case WM_SHOWWINDOW:
        if (wParam && !shown_) {
            shown_ = true;
            form_.Dispatch(&TfrmMAIN::FormShow, nullptr);
            profile::Mark("FormShow");
        }
        return false;
    case WM_LBUTTONDBLCLK:
        // Only the window's own surface gets here: the controls keep their clicks, the
        // labels too (SS_NOTIFY).
        form_.Dispatch(&TfrmMAIN::FormDblClick, nullptr);
        result = 0;
        return true;
    case WM_ACTIVATE:
        // The focus returns to the control that had it when the window was left.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window_, focus)) lastFocus_ = focus;
        } else if (!HIWORD(wParam)) {  // not while minimised
            if (lastFocus_ && IsWindow(lastFocus_) && IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_))
                SetFocus(lastFocus_);
            else
                FocusFirstControl();
        }
        result = 0;
        return true;
    case WM_DESTROY:
        Win32Dialogs::SetOwner(nullptr);
        PostQuitMessage(0);
        result = 0;
        return true;
    default:
        return ui::win32::RouteToPeer(message, wParam, lParam, result);
    }
}

// Keys that the dialog manager does not give a window that is not a dialog.
bool MainWindow::PreTranslate(const MSG& message) {
    if (message.message != WM_KEYDOWN || !pages_) return false;
    HWND focus = GetFocus();
    if (!focus || !IsChild(window_, focus)) return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    bool handled = false;
    ui::win32::Guarded(
        [&]() -> LRESULT {
            if (message.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
                pages_->Cycle(shift ? -1 : 1);  // Ctrl+Tab: the next page
                handled = true;
            } else if (message.wParam == VK_TAB && !shift && focus == pages_->Handle()) {
                // From the tab row, Tab goes into the page, as the row is before its page.
                if (HWND page = pages_->ActivePageHandle()) {
                    if (HWND first = GetNextDlgTabItem(page, nullptr, FALSE); first && IsChild(page, first)) {
                        SetFocus(first);
                        handled = true;
                    }
                }
            } else if (message.wParam == VK_RETURN) {
                // Enter presses the push button that has the focus.
                char name[16] = {};
                GetClassNameA(focus, name, sizeof name);
                const LONG type = GetWindowLongA(focus, GWL_STYLE) & 0x0F;
                if (lstrcmpiA(name, "BUTTON") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) {
                    SendMessageA(focus, BM_CLICK, 0, 0);
                    handled = true;
                }
            }
            return 0;
        },
        0);
    return handled;
}

void MainWindow::FocusFirstControl() {
    if (pages_) SetFocus(pages_->Handle());  // the page control is first in the tab order
    else if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) SetFocus(first);
}

namespace {

// The rows whose parent is `parentName` (nullptr: the window itself) in their order of
// creation. The order of creation is the Z order, which the Tab key follows: the tab stops
// come first, in their tab order, then the controls that are no tab stop, in the table's order.
std::vector<const ControlLayout*> ChildRows(const char* parentName) {
    std::vector<const ControlLayout*> children;
    const auto place = [](const ControlLayout* row) { return row->tabOrder < 0 ? INT_MAX : row->tabOrder; };
    for (const ControlLayout& row : WindowLayout()) {
        const bool sameParent = parentName ? row.parent && std::string_view(row.parent) == parentName : !row.parent;
        if (!sameParent) continue;
        // Into its place, after the rows of the same place (a stable insertion: the lists are short).
        auto at = children.end();
        while (at != children.begin() && place(at[-1]) > place(&row)) --at;
        children.insert(at, &row);
    }
    return children;
}

// The position of a row in the table; the table's size for a name that no row has.
std::size_t RowIndex(const char* name) {
    const auto& rows = WindowLayout();
    std::size_t i = 0;
    while (i < rows.size() && std::string_view(rows[i].name) != name) ++i;
    return i;
}

// The descendants of `parentName`, each parent before its children, in order of creation.
void AppendDescendants(const char* parentName, std::vector<const ControlLayout*>& rows) {
    for (const ControlLayout* row : ChildRows(parentName)) {
        rows.push_back(row);
        AppendDescendants(row->name, rows);
    }
}

}  // namespace

// The one piece of code that makes the window's controls from the layout table, parents
// before their children. A tab page's window is made with the window, its controls on its
// first showing or while the window is idle (CreateRestOfPage, CreateNextAtIdle): a page
// that is not on screen costs no time before the window is there. Every control is made
// with the state that its model control holds at that moment.
void MainWindow::CreateControls(const char* parentName, WindowPeer* parent) {
    for (const ControlLayout* row : ChildRows(parentName)) {
        WindowPeer& made = CreateControl(*row, parent);
        if (row->kind != Kind::TabSheet) CreateControls(row->name, &made);
    }
}

WindowPeer& MainWindow::CreateControl(const ControlLayout& row, WindowPeer* parent) {
    ui::win32::Placement place{parent ? parent->ClientHandle() : window_,
                               row.left,
                               row.top,
                               row.width,
                               row.height,
                               ControlId(row),
                               row.tabOrder >= 0,
                               row.font == Font::Fixed ? ui::win32::FixedFont() : ui::win32::WindowFont(),
                               row.font == Font::Black};
    std::unique_ptr<WindowPeer> peer = CreatePeer(row, place);
    WindowPeer& made = *peer;
    peers_.push_back(std::move(peer));
    peerByRow_[static_cast<std::size_t>(&row - WindowLayout().data())] = &made;
    if (row.kind == Kind::TabSheet) {
        // Before the page control hears of the page: it shows the active page at once.
        PageRows page{&row, static_cast<ui::win32::TabSheetPeer*>(&made), {}};
        AppendDescendants(row.name, page.rows);
        pageRows_.push_back(std::move(page));
    }
    if (parent) parent->ChildAdded(made);
    return made;
}

// The page's next control. A control whose parent could not be made is left out, and so is
// one that fails: the error is reported once, the next call goes on with the next control.
void MainWindow::CreateNext(PageRows& page) {
    const ControlLayout& row = *page.rows[page.made++];
    const std::size_t parent = RowIndex(row.parent);
    if (parent < peerByRow_.size() && peerByRow_[parent]) CreateControl(row, peerByRow_[parent]);
}

void MainWindow::BeforeShow(ui::win32::TabSheetPeer& page) {
    for (std::size_t i = 0; i < pageRows_.size(); ++i)
        if (pageRows_[i].peer == &page) CreateRestOfPage(i);
}

void MainWindow::CreateRestOfPage(std::size_t index) {
    PageRows& page = pageRows_[index];
    if (page.made == page.rows.size()) return;
    while (page.made < page.rows.size()) CreateNext(page);
    profile::Mark("controls of the page", page.sheet->caption);
}

// One control of a page that still lacks some; false when every page is complete. The page
// with the most controls comes first (the 省電力 page, with its drop-down lists): it would
// keep a user who clicks its tab early waiting longest.
bool MainWindow::CreateNextAtIdle() {
    PageRows* next = nullptr;
    for (PageRows& page : pageRows_)
        if (page.made < page.rows.size() && (!next || page.rows.size() > next->rows.size())) next = &page;
    if (!next) return false;
    CreateNext(*next);
    if (next->made == next->rows.size()) profile::Mark("controls of the page, made at idle", next->sheet->caption);
    return true;
}

std::unique_ptr<WindowPeer> MainWindow::CreatePeer(const ControlLayout& row, const ui::win32::Placement& place) {
    ui::TControl* control = form_.FindComponent(row.name);
    if (!control) throw sys::Error(std::string("no component ") + row.name);
    using namespace ui::win32;
    switch (row.kind) {
    case Kind::PageControl: {
        auto peer = std::make_unique<PageControlPeer>(dynamic_cast<ui::TPageControl&>(*control), place);
        peer->SetPageMaker(this);
        pages_ = peer.get();
        return peer;
    }
    case Kind::TabSheet: return std::make_unique<TabSheetPeer>(dynamic_cast<ui::TTabSheet&>(*control), place);
    case Kind::Panel: return std::make_unique<PanelPeer>(dynamic_cast<ui::TPanel&>(*control), place);
    case Kind::GroupBox: return std::make_unique<GroupBoxPeer>(dynamic_cast<ui::TGroupBox&>(*control), place);
    case Kind::Button: return std::make_unique<ButtonPeer>(dynamic_cast<ui::TButton&>(*control), place);
    case Kind::Label: return std::make_unique<LabelPeer>(dynamic_cast<ui::TLabel&>(*control), place);
    case Kind::Memo: return std::make_unique<MemoPeer>(dynamic_cast<ui::TMemo&>(*control), place);
    case Kind::RadioGroup: return std::make_unique<RadioGroupPeer>(dynamic_cast<ui::TRadioGroup&>(*control), place);
    case Kind::ComboBox: return std::make_unique<ComboBoxPeer>(dynamic_cast<ui::TComboBox&>(*control), place);
    case Kind::CheckBox: return std::make_unique<CheckBoxPeer>(dynamic_cast<ui::TCheckBox&>(*control), place);
    }
    throw sys::Error(std::string("unknown kind of control for ") + row.name);
}

}  // namespace

int RunMainWindow(HINSTANCE instance, hw::TPortArray& port, int showCommand) {
    MainWindow window(port);
    return window.Run(instance, showCommand);
}

}  // namespace app::win32
