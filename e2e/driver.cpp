// tovika-e2e-driver.exe: drives the running TOVIKA window from outside, through window
// messages only, as a user's input would reach it. It runs in the same Wine prefix as the
// program under test, one command per start, and prints its findings as key=value lines in
// the ANSI code page (932). Texts given on the command line arrive in that code page too, and
// so do the literals of this file (built with -fexec-charset=CP932), so all comparisons are
// byte comparisons of Shift-JIS texts.
//
//   tovika-e2e-driver [-t <ms>] [--until <text>] [--utf8] <command> [arguments]
//
// -t sets how long waiting commands wait (default 20000 ms). --until repeats the command
// until its output contains <text> (or the time is up, exit status 1). --utf8 reads every
// text through the Unicode API and prints it in UTF-8: the window's Japanese where the
// system's code page is not 932 (its arguments still arrive in the ANSI code page, so such a
// test names controls by component name and tabs by number). See e2e/README.md for the
// commands; `help` lists them.
#include <windows.h>
#include <commctrl.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "e2e/Controls.h"
#include "app/EntrySequence.h"

namespace {

const char* const kMainClass = app::kMainWindowClass;
DWORD gTimeout = 20000;
bool gUtf8 = false;  // --utf8

// UTF-16 as the output wants it: UTF-8 with --utf8, else the ANSI code page.
std::string Narrow(const wchar_t* text, int length = -1) {
    const UINT codePage = gUtf8 ? CP_UTF8 : CP_ACP;
    const int n = WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text, length, &out[0], n, nullptr, nullptr);
    if (length < 0) out.resize(out.size() - 1);  // the terminating zero
    return out;
}

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* fmt, ...) {
    char buf[1024];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, args);
    va_end(args);
    return buf;
}

// Everything a command prints goes through here, so --until can look at it.
std::string gOut;
void Out(const std::string& line) { gOut += line + "\n"; }

std::string Hex(HWND w) { return Format("%08lX", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(w))); }

// ---- windows -------------------------------------------------------------------------------

std::string ClassOf(HWND w) {
    char cls[128] = {};
    GetClassNameA(w, cls, sizeof cls);
    return cls;
}

// WM_GETTEXT is copied between processes by the system, so it works on another program's
// windows, long edit texts included.
std::string TextOf(HWND w) {
    if (gUtf8) {
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(w, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, gTimeout, &length)) return {};
        std::wstring text(length + 1, L'\0');
        DWORD_PTR got = 0;
        SendMessageTimeoutW(w, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL, gTimeout, &got);
        return Narrow(text.c_str(), static_cast<int>(std::min<std::size_t>(got, length)));
    }
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, gTimeout, &length)) return {};
    std::string text(length + 1, '\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutA(w, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL, gTimeout, &got);
    text.resize(std::min<std::size_t>(got, length));
    return text;
}

DWORD ProcessOf(HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return pid;
}

BOOL CALLBACK Collect(HWND w, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
    return TRUE;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> all;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
    return all;
}

std::vector<HWND> MainWindows() {
    std::vector<HWND> found;
    for (HWND w : TopLevelWindows())
        if (ClassOf(w) == kMainClass) found.push_back(w);
    return found;
}

// All descendants, parents before their children.
std::vector<HWND> Descendants(HWND root) {
    std::vector<HWND> all;
    EnumChildWindows(root, Collect, reinterpret_cast<LPARAM>(&all));
    return all;
}

std::vector<HWND> DirectChildren(HWND parent) {
    std::vector<HWND> kids;
    for (HWND w : Descendants(parent))
        if (GetAncestor(w, GA_PARENT) == parent) kids.push_back(w);
    return kids;
}

// A window's rectangle in the client coordinates of its parent.
RECT RectInParent(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, GetAncestor(w, GA_PARENT), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string RectText(const RECT& r) {
    return Format("%ld,%ld,%ld,%ld", r.left, r.top, r.right - r.left, r.bottom - r.top);
}

LONG StyleOf(HWND w) { return GetWindowLongA(w, GWL_STYLE); }
LONG ButtonType(HWND w) { return StyleOf(w) & BS_TYPEMASK; }
bool IsPushButton(HWND w) {
    return ClassOf(w) == "Button" && (ButtonType(w) == BS_PUSHBUTTON || ButtonType(w) == BS_DEFPUSHBUTTON);
}
bool IsRadioButton(HWND w) {
    return ClassOf(w) == "Button" && (ButtonType(w) == BS_RADIOBUTTON || ButtonType(w) == BS_AUTORADIOBUTTON);
}
bool IsCheckBox(HWND w) {
    const LONG t = ButtonType(w);
    return ClassOf(w) == "Button" && (t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE);
}

// Waits until `ready` holds, polling; false when the time is up.
bool WaitFor(const std::function<bool()>& ready, DWORD timeout = gTimeout) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (ready()) return true;
        if (GetTickCount() - start >= timeout) return false;
        Sleep(50);
    }
}

// Lets the window's thread take everything posted to it so far. A message sent from another
// thread is handled when the receiver next asks for a message, before its posted ones, so
// the second of two sends returns only after the receiver came back for another message:
// the input posted before them has been handled, or has opened a modal loop.
void Settle(HWND w) {
    for (int i = 0; i < 3; ++i) {
        DWORD_PTR r = 0;
        if (!SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_NORMAL, gTimeout, &r))
            throw Failure("the window does not answer (busy for " + std::to_string(gTimeout) + " ms)");
    }
}

HWND TheMainWindow() {
    const auto found = MainWindows();
    if (found.empty()) throw Failure("no window of class TfrmMAIN");
    if (found.size() > 1) throw Failure(Format("%u windows of class TfrmMAIN", static_cast<unsigned>(found.size())));
    return found.front();
}

// ---- memory in the other process: common-control messages carry pointers ---------------

// The tab control's item messages take pointers that the system does not copy between
// processes; they must point into the memory of the process that owns the control.
class RemoteBuffer {
public:
    RemoteBuffer(HWND owner, std::size_t size) : size_(size) {
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(owner));
        if (!process_) throw Failure("cannot open the window's process");
        address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
        if (!address_) {
            CloseHandle(process_);
            throw Failure("cannot allocate memory in the window's process");
        }
    }
    ~RemoteBuffer() {
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* Address(std::size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
    void Write(const void* data, std::size_t n, std::size_t offset = 0) {
        if (!WriteProcessMemory(process_, Address(offset), data, n, nullptr)) throw Failure("WriteProcessMemory failed");
    }
    void Read(void* data, std::size_t n, std::size_t offset = 0) const {
        if (!ReadProcessMemory(process_, Address(offset), data, n, nullptr)) throw Failure("ReadProcessMemory failed");
    }

private:
    HANDLE process_;
    void* address_;
    std::size_t size_;
};

// ---- the page control -------------------------------------------------------------------

HWND TabControl(HWND main) {
    for (HWND w : Descendants(main))
        if (ClassOf(w) == WC_TABCONTROLA) return w;
    throw Failure("no SysTabControl32 in the window");
}

std::vector<std::string> TabCaptions(HWND tab) {
    const int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    std::vector<std::string> captions;
    const std::size_t textSize = 256;
    if (gUtf8) {
        RemoteBuffer remote(tab, sizeof(TCITEMW) + textSize * sizeof(wchar_t));
        for (int i = 0; i < count; ++i) {
            TCITEMW item = {};
            item.mask = TCIF_TEXT;
            item.pszText = reinterpret_cast<wchar_t*>(remote.Address(sizeof(TCITEMW)));
            item.cchTextMax = textSize;
            remote.Write(&item, sizeof item);
            const wchar_t zero = 0;
            remote.Write(&zero, sizeof zero, sizeof(TCITEMW));
            SendMessageW(tab, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(remote.Address()));
            wchar_t text[textSize] = {};
            remote.Read(text, (textSize - 1) * sizeof(wchar_t), sizeof(TCITEMW));
            captions.push_back(Narrow(text));
        }
        return captions;
    }
    RemoteBuffer remote(tab, sizeof(TCITEMA) + textSize);
    for (int i = 0; i < count; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = remote.Address(sizeof(TCITEMA));
        item.cchTextMax = textSize;
        remote.Write(&item, sizeof item);
        const char zero = 0;
        remote.Write(&zero, 1, sizeof(TCITEMA));
        SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(remote.Address()));
        char text[textSize] = {};
        remote.Read(text, textSize - 1, sizeof(TCITEMA));
        captions.push_back(text);
    }
    return captions;
}

std::string Join(const std::vector<std::string>& parts, const char* separator = "|") {
    std::string s;
    for (std::size_t i = 0; i < parts.size(); ++i) s += (i ? separator : "") + parts[i];
    return s;
}

// ---- finding a control --------------------------------------------------------------------

// The component of a name, or nullptr.
const e2e::Control* ControlNamed(const std::string& name) {
    for (const auto& control : e2e::kControls)
        if (name == control.name) return &control;
    return nullptr;
}

bool IsStandardControl(const std::string& cls) {
    return cls == "Button" || cls == "Edit" || cls == "ComboBox" || cls == "Static" || cls == "ListBox" ||
           cls == "ScrollBar" || cls == WC_TABCONTROLA;
}

bool ClassFits(HWND w, e2e::Is is) {
    const std::string cls = ClassOf(w);
    switch (is) {
    case e2e::Is::Button: return IsPushButton(w);
    case e2e::Is::CheckBox: return IsCheckBox(w);
    case e2e::Is::Memo: return cls == "Edit";
    case e2e::Is::ComboBox: return cls == "ComboBox";
    case e2e::Is::Label: return cls == "Static";
    case e2e::Is::PageControl: return cls == WC_TABCONTROLA;
    case e2e::Is::Frame:  // a window of the program's own class that holds the children
        return !IsStandardControl(cls);
    }
    return false;
}

// The native window of a component: the window with its control identifier. The window makes
// the controls of a page that has not been shown yet while it is idle after its start, so a
// control may come a moment later.
HWND FindByName(HWND main, const e2e::Control& control) {
    const int id = control.id;
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND w : Descendants(main))
            if (GetDlgCtrlID(w) == id) return found = w, true;
        return false;
    });
    if (!found) throw Failure(Format("no window with the identifier %d of %s", id, control.name));
    if (!ClassFits(found, control.is))
        throw Failure(Format("the window with the identifier %d of %s is a %s", id, control.name, ClassOf(found).c_str()));
    return found;
}

// A control by component name (a name of e2e/Controls.h), by "text:<caption>" (exact
// window text), or by "class:<name>[#n]" (the n-th window of that class, from 0).
HWND FindControl(HWND main, const std::string& selector) {
    if (selector.rfind("text:", 0) == 0) {
        const std::string text = selector.substr(5);
        for (HWND w : Descendants(main))
            if (TextOf(w) == text) return w;
        throw Failure("no control with the text " + text);
    }
    if (selector.rfind("class:", 0) == 0) {
        std::string cls = selector.substr(6);
        int n = 0;
        if (const auto hash = cls.find('#'); hash != std::string::npos) {
            n = std::atoi(cls.c_str() + hash + 1);
            cls.erase(hash);
        }
        for (HWND w : Descendants(main))
            if (ClassOf(w) == cls && n-- == 0) return w;
        throw Failure("no such control: " + selector);
    }
    if (const auto* control = ControlNamed(selector)) return FindByName(main, *control);
    throw Failure("unknown control " + selector + " (use a component name, text:<caption> or class:<name>[#n])");
}

// The items of a radio group in item order (columns top to bottom, left column first): its
// radio-button children, or radio-button siblings inside its frame.
std::vector<HWND> RadioItems(HWND group) {
    std::vector<HWND> items;
    for (HWND w : Descendants(group))
        if (IsRadioButton(w)) items.push_back(w);
    if (items.empty()) {
        const RECT frame = RectInParent(group);
        for (HWND w : DirectChildren(GetAncestor(group, GA_PARENT))) {
            const RECT r = RectInParent(w);
            if (IsRadioButton(w) && r.left >= frame.left && r.right <= frame.right && r.top >= frame.top &&
                r.bottom <= frame.bottom)
                items.push_back(w);
        }
    }
    std::sort(items.begin(), items.end(), [](HWND a, HWND b) {
        RECT ra, rb;
        GetWindowRect(a, &ra), GetWindowRect(b, &rb);
        return ra.left != rb.left ? ra.left < rb.left : ra.top < rb.top;
    });
    return items;
}

// ---- dialogs ------------------------------------------------------------------------------

struct Dialog {
    HWND window;
    std::string title, text;
    std::vector<HWND> buttons;
    std::vector<std::string> buttonTexts;
};

// The message dialogs: visible top-level windows other than the main window that carry an
// "OK" button. Their text is the text of their children other than the buttons.
std::vector<Dialog> Dialogs() {
    std::vector<Dialog> found;
    for (HWND w : TopLevelWindows()) {
        if (!IsWindowVisible(w) || ClassOf(w) == kMainClass || ProcessOf(w) == GetCurrentProcessId()) continue;
        Dialog d{w, TextOf(w), {}, {}, {}};
        std::vector<std::string> texts;
        for (HWND c : Descendants(w)) {
            if (IsPushButton(c)) {
                d.buttons.push_back(c);
                d.buttonTexts.push_back(TextOf(c));
            } else if (IsWindowVisible(c)) {
                const std::string t = TextOf(c);
                if (!t.empty()) texts.push_back(t);
            }
        }
        d.text = Join(texts, "\n");
        if (std::find(d.buttonTexts.begin(), d.buttonTexts.end(), "OK") != d.buttonTexts.end()) found.push_back(d);
    }
    return found;
}

void PrintDialog(const Dialog& d) {
    Out("dialog=" + Hex(d.window));
    Out(Format("pid=%lu", ProcessOf(d.window)));
    Out("title=" + d.title);
    Out("text=" + d.text);
    Out("buttons=" + Join(d.buttonTexts));
}

// ---- commands -----------------------------------------------------------------------------

using Args = std::vector<std::string>;

void Need(const Args& a, std::size_t n, const char* usage) {
    if (a.size() < n) throw Failure(std::string("usage: ") + usage);
}

void PostClick(HWND w, int x, int y, UINT down, UINT up) {
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageA(w, down, MK_LBUTTON, at);
    PostMessageA(w, up, 0, at);
}

// wait-window: waits until one main window is visible and its thread takes messages.
void CmdWaitWindow(const Args&) {
    HWND main = nullptr;
    if (!WaitFor([&] {
            for (HWND w : MainWindows())
                if (IsWindowVisible(w)) return main = w, true;
            return false;
        }))
        throw Failure("no visible TfrmMAIN window within the time");
    Settle(main);
    Out("window=" + Hex(main));
    Out(Format("pid=%lu", ProcessOf(main)));
}

// window: class, caption, client size and state of the main window.
void CmdWindow(const Args&) {
    const HWND main = TheMainWindow();
    RECT client;
    GetClientRect(main, &client);
    Out("class=" + ClassOf(main));
    Out("caption=" + TextOf(main));
    Out(Format("client=%ldx%ld", client.right, client.bottom));
    Out(Format("visible=%d", IsWindowVisible(main) ? 1 : 0));
    Out(Format("iconic=%d", IsIconic(main) ? 1 : 0));
    Out(Format("foreground=%d", GetForegroundWindow() == main ? 1 : 0));
    Out(Format("pid=%lu", ProcessOf(main)));
}

// count: how many main windows and message dialogs there are now.
void CmdCount(const Args&) {
    Out(Format("windows=%u", static_cast<unsigned>(MainWindows().size())));
    Out(Format("dialogs=%u", static_cast<unsigned>(Dialogs().size())));
}

// tabs: the captions of the tab row and the current one.
void CmdTabs(const Args&) {
    const HWND tab = TabControl(TheMainWindow());
    const auto captions = TabCaptions(tab);
    const int current = static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
    Out("tabs=" + Join(captions));
    Out("current=" + (current >= 0 && current < static_cast<int>(captions.size()) ? captions[current] : std::string()));
}

// select-tab <caption>|#<n>: clicks the tab (the n-th of the row, from 0) as a user does.
void CmdSelectTab(const Args& a) {
    Need(a, 1, "select-tab <caption>|#<n>");
    const HWND main = TheMainWindow();
    const HWND tab = TabControl(main);
    const auto captions = TabCaptions(tab);
    auto it = std::find(captions.begin(), captions.end(), a[0]);
    if (a[0].size() > 1 && a[0][0] == '#') {
        const int n = std::atoi(a[0].c_str() + 1);
        it = n >= 0 && n < static_cast<int>(captions.size()) ? captions.begin() + n : captions.end();
    }
    if (it == captions.end()) throw Failure("no tab " + a[0] + " in " + Join(captions));
    const int index = static_cast<int>(it - captions.begin());
    RemoteBuffer remote(tab, sizeof(RECT));
    SendMessageA(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote.Address()));
    RECT r;
    remote.Read(&r, sizeof r);
    PostClick(tab, (r.left + r.right) / 2, (r.top + r.bottom) / 2, WM_LBUTTONDOWN, WM_LBUTTONUP);
    Settle(main);
    // A loaded machine may take the click a little later than the settling messages say.
    for (int waited = 0; SendMessageA(tab, TCM_GETCURSEL, 0, 0) != index; waited += 50) {
        if (waited >= 5000) throw Failure("the tab " + a[0] + " did not become current");
        Sleep(50);
    }
    Out("current=" + captions[index]);
}

// dblclick <x> <y>: a double-click at a point of the main window's client area.
void CmdDblClick(const Args& a) {
    Need(a, 2, "dblclick <x> <y>");
    const HWND main = TheMainWindow();
    const int x = std::atoi(a[0].c_str()), y = std::atoi(a[1].c_str());
    PostClick(main, x, y, WM_LBUTTONDOWN, WM_LBUTTONUP);
    PostClick(main, x, y, WM_LBUTTONDBLCLK, WM_LBUTTONUP);
    Settle(main);
}

// click <control>: clicks a button, check box or radio button.
void CmdClick(const Args& a) {
    Need(a, 1, "click <control>");
    const HWND main = TheMainWindow();
    const HWND w = FindControl(main, a[0]);
    if (!IsWindowEnabled(w)) throw Failure(a[0] + " is disabled");
    PostMessageA(w, BM_CLICK, 0, 0);
    Settle(main);
}

// text <control>: the control's text (a memo's whole text).
void CmdText(const Args& a) {
    Need(a, 1, "text <control>");
    Out(TextOf(FindControl(TheMainWindow(), a[0])));
}

// state <control>: what the control shows: its text, geometry, enabled and visible state,
// and the check mark, the selected item or the selected radio item.
void CmdState(const Args& a) {
    Need(a, 1, "state <control>");
    const HWND main = TheMainWindow();
    const HWND w = FindControl(main, a[0]);
    Out("class=" + ClassOf(w));
    Out("text=" + TextOf(w));
    Out("rect=" + RectText(RectInParent(w)));
    Out(Format("enabled=%d", IsWindowEnabled(w) ? 1 : 0));
    Out(Format("visible=%d", IsWindowVisible(w) ? 1 : 0));
    if (IsCheckBox(w) || IsRadioButton(w)) Out(Format("checked=%d", static_cast<int>(SendMessageA(w, BM_GETCHECK, 0, 0))));
    if (ClassOf(w) == "ComboBox") {
        const int count = static_cast<int>(SendMessageA(w, CB_GETCOUNT, 0, 0));
        const int sel = static_cast<int>(SendMessageA(w, CB_GETCURSEL, 0, 0));
        std::vector<std::string> items;
        for (int i = 0; i < count; ++i) {
            // Wine copies an item between processes in UTF-16 whichever way it was asked for,
            // so ask for UTF-16 and convert.
            wchar_t wide[256] = {};
            if (SendMessageW(w, CB_GETLBTEXTLEN, i, 0) < 256) SendMessageW(w, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide));
            items.push_back(Narrow(wide));
        }
        Out("items=" + Join(items));
        Out(Format("index=%d", sel));
    }
    const auto radios = RadioItems(w);
    if (!radios.empty() && !IsRadioButton(w)) {
        std::vector<std::string> items;
        int index = -1;
        for (std::size_t i = 0; i < radios.size(); ++i) {
            items.push_back(TextOf(radios[i]));
            if (SendMessageA(radios[i], BM_GETCHECK, 0, 0) == BST_CHECKED) index = static_cast<int>(i);
        }
        Out("items=" + Join(items));
        Out(Format("index=%d", index));
    }
}

// select <control> <index>: picks an item of a radio group or drop-down list as a user does.
void CmdSelect(const Args& a) {
    Need(a, 2, "select <control> <index>");
    const HWND main = TheMainWindow();
    const HWND w = FindControl(main, a[0]);
    const int index = std::atoi(a[1].c_str());
    if (ClassOf(w) == "ComboBox") {
        // Picking from the list sets the selection and tells the parent CBN_SELCHANGE.
        SendMessageA(w, CB_SETCURSEL, index, 0);
        PostMessageA(GetAncestor(w, GA_PARENT), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(w), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(w));
    } else {
        const auto radios = RadioItems(w);
        if (index < 0 || index >= static_cast<int>(radios.size()))
            throw Failure(Format("%s has %u items", a[0].c_str(), static_cast<unsigned>(radios.size())));
        PostMessageA(radios[index], BM_CLICK, 0, 0);
    }
    Settle(main);
}

void DumpTree(HWND parent, int depth) {
    for (HWND w : DirectChildren(parent)) {
        std::string line(depth * 2, ' ');
        line += ClassOf(w) + " \"" + TextOf(w).substr(0, 60) + "\" " + RectText(RectInParent(w));
        if (!IsWindowVisible(w)) line += " hidden";
        if (!IsWindowEnabled(w)) line += " disabled";
        if (ClassOf(w) == "Button") line += Format(" style=%lX", ButtonType(w));
        if (IsCheckBox(w) || IsRadioButton(w)) line += Format(" checked=%d", static_cast<int>(SendMessageA(w, BM_GETCHECK, 0, 0)));
        Out(line);
        DumpTree(w, depth + 1);
    }
}

// texts: every text that the main window's controls and the open dialogs show, one a line:
// window texts whole, tab captions, list items.
void CmdTexts(const Args&) {
    const HWND main = TheMainWindow();
    Out(TextOf(main));
    for (const std::string& caption : TabCaptions(TabControl(main))) Out(caption);
    for (HWND w : Descendants(main)) {
        Out(TextOf(w));
        if (ClassOf(w) != "ComboBox") continue;
        const int count = static_cast<int>(SendMessageA(w, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t wide[256] = {};
            if (SendMessageW(w, CB_GETLBTEXTLEN, i, 0) < 256) SendMessageW(w, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide));
            Out(Narrow(wide));
        }
    }
    for (const Dialog& d : Dialogs()) {
        Out(d.title);
        Out(d.text);
        for (const std::string& b : d.buttonTexts) Out(b);
    }
}

// controls: the main window's tree of child windows, to find out how to address a control.
void CmdControls(const Args&) {
    const HWND main = TheMainWindow();
    Out(ClassOf(main) + " \"" + TextOf(main) + "\"");
    DumpTree(main, 1);
}

// dialog: waits for a message dialog and prints every open one.
void CmdDialog(const Args&) {
    if (!WaitFor([] { return !Dialogs().empty(); })) throw Failure("no dialog within the time");
    for (const auto& d : Dialogs()) PrintDialog(d);
}

// no-dialog: fails when a message dialog is open.
void CmdNoDialog(const Args&) {
    const auto open = Dialogs();
    for (const auto& d : open) PrintDialog(d);
    if (!open.empty()) throw Failure("a dialog is open");
}

// answer <button> [all]: presses the button of the open dialog (of every open one with
// "all") and waits until it has closed.
void CmdAnswer(const Args& a) {
    Need(a, 1, "answer <button>|#<n> [all]");
    const bool all = a.size() > 1 && a[1] == "all";
    if (!WaitFor([] { return !Dialogs().empty(); })) throw Failure("no dialog within the time");
    auto open = Dialogs();
    if (!all) open.resize(1);
    for (const auto& d : open) {
        auto it = std::find(d.buttonTexts.begin(), d.buttonTexts.end(), a[0]);
        if (a[0].size() > 1 && a[0][0] == '#') {
            const int n = std::atoi(a[0].c_str() + 1);
            it = n >= 0 && n < static_cast<int>(d.buttonTexts.size()) ? d.buttonTexts.begin() + n : d.buttonTexts.end();
        }
        if (it == d.buttonTexts.end()) throw Failure("the dialog has no button " + a[0] + ": " + Join(d.buttonTexts));
        PrintDialog(d);
        PostMessageA(d.buttons[it - d.buttonTexts.begin()], BM_CLICK, 0, 0);
    }
    std::vector<DWORD> owners;
    for (const auto& d : open) {
        owners.push_back(ProcessOf(d.window));
        if (!WaitFor([&] { return !IsWindow(d.window) || !IsWindowVisible(d.window); }))
            throw Failure("the dialog " + Hex(d.window) + " did not close");
    }
    // The handler that opened a dialog goes on once it has closed: wait until its window
    // takes messages again (the handler has ended or opened the next dialog), so that what
    // the test checks next is what the handler left.
    for (HWND main : MainWindows())
        if (std::find(owners.begin(), owners.end(), ProcessOf(main)) != owners.end()) {
            DWORD_PTR r = 0;
            SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, gTimeout, &r);
        }
}

// minimize / restore: as the window's title-bar buttons would.
void CmdMinimize(const Args&) {
    const HWND main = TheMainWindow();
    ShowWindow(main, SW_MINIMIZE);
    if (!WaitFor([&] { return IsIconic(main) != FALSE; })) throw Failure("the window did not minimise");
    Out("iconic=1");
}

// close: closes the main window as its close button does.
void CmdClose(const Args&) { PostMessageA(TheMainWindow(), WM_CLOSE, 0, 0); }

// wait-gone: waits until no main window is left.
void CmdWaitGone(const Args&) {
    if (WaitFor([] { return MainWindows().empty(); })) return;
    std::string found;
    for (HWND w : MainWindows()) {
        DWORD pid = 0;
        const DWORD thread = GetWindowThreadProcessId(w, &pid);
        DWORD code = 0;
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
        const bool alive = process && GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
        if (process) CloseHandle(process);
        found += Format(" %s (process %lu %s, thread %lu, %s, \"%s\")", Hex(w).c_str(), pid,
                        alive ? "running" : process ? "ended" : "gone", thread,
                        IsWindowVisible(w) ? "visible" : "hidden", TextOf(w).c_str());
    }
    throw Failure("a TfrmMAIN window is still there:" + found);
}

// ---- a file held by another program ---------------------------------------------------------

const char* const kReleaseEvent = "TovikaE2eRelease";

// hold <path>: opens an existing file for reading and writing without sharing, as another
// program that has it open would, and keeps it open until `release` (or the time is up).
// Prints held=<path> at once when the file is open, so a test started in the background can
// wait for that line.
void CmdHold(const Args& a) {
    Need(a, 1, "hold <path>");
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, kReleaseEvent);
    if (!release) throw Failure("cannot create the event " + std::string(kReleaseEvent));
    HANDLE file = CreateFileA(a[0].c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        CloseHandle(release);
        throw Failure(Format("cannot open %s (error %lu)", a[0].c_str(), GetLastError()));
    }
    const std::string line = "held=" + a[0] + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
    const DWORD waited = WaitForSingleObject(release, gTimeout);
    CloseHandle(file);
    CloseHandle(release);
    if (waited != WAIT_OBJECT_0) throw Failure("the file was never released");
    Out("released=" + a[0]);
}

// release: lets the file of a running `hold` go.
void CmdRelease(const Args&) {
    HANDLE release = OpenEventA(EVENT_MODIFY_STATE, FALSE, kReleaseEvent);
    if (!release) throw Failure("no file is held");
    SetEvent(release);
    CloseHandle(release);
}

// ---- the creation race ---------------------------------------------------------------------

// Starts `program` in its own folder, with no standard handles of ours: the tests read the
// driver's output to its end, which a program that kept it open would put off.
PROCESS_INFORMATION StartProgram(const std::string& program, DWORD flags) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION pi = {};
    std::string commandLine = "\"" + program + "\"";
    const std::string folder = program.substr(0, program.find_last_of('\\') + 1);
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, flags, nullptr, folder.c_str(), &si,
                        &pi))
        throw Failure("cannot start " + program);
    CloseHandle(pi.hThread);
    return pi;
}

// Starts a program as a debugged process and stops it when it calls CreateMutexA for
// `mutexName`, that is after its test for a running instance found none. Then `meanwhile`
// runs while the program stands still; then the program goes on, no longer debugged.
class StopAtMutexCreation {
public:
    StopAtMutexCreation(const std::string& program, const char* mutexName)
        : program_(program), mutexName_(mutexName) {
        target_ = reinterpret_cast<char*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateMutexA"));
        if (!target_) throw Failure("no CreateMutexA");
    }

    // Returns the process handle of the program, which goes on running.
    HANDLE Run(const std::function<void()>& meanwhile) {
        process_ = StartProgram(program_, DEBUG_ONLY_THIS_PROCESS).hProcess;
        bool armed = false, stopped = false;
        const DWORD start = GetTickCount();
        while (!stopped) {
            if (GetTickCount() - start > gTimeout) throw Failure("the program never created its mutex");
            DEBUG_EVENT ev;
            if (!WaitForDebugEvent(&ev, 500)) continue;
            DWORD how = DBG_CONTINUE;
            switch (ev.dwDebugEventCode) {
            case CREATE_PROCESS_DEBUG_EVENT:
                if (ev.u.CreateProcessInfo.hFile) CloseHandle(ev.u.CreateProcessInfo.hFile);
                break;
            case LOAD_DLL_DEBUG_EVENT:
                if (ev.u.LoadDll.hFile) CloseHandle(ev.u.LoadDll.hFile);
                break;
            case EXIT_PROCESS_DEBUG_EVENT:
                throw Failure(Format("the program ended with %lu before creating its mutex", ev.u.ExitProcess.dwExitCode));
            case EXCEPTION_DEBUG_EVENT: {
                const auto& rec = ev.u.Exception.ExceptionRecord;
                if (rec.ExceptionCode == EXCEPTION_BREAKPOINT && !armed) {
                    // The loader's breakpoint: the system libraries are mapped now.
                    Arm();
                    armed = true;
                } else if (rec.ExceptionCode == EXCEPTION_BREAKPOINT && rec.ExceptionAddress == target_) {
                    HANDLE thread = OpenThread(THREAD_GET_CONTEXT | THREAD_SET_CONTEXT, FALSE, ev.dwThreadId);
                    CONTEXT ctx = {};
                    ctx.ContextFlags = CONTEXT_CONTROL | CONTEXT_INTEGER;
                    GetThreadContext(thread, &ctx);
                    Disarm();
                    // Run the call's first instruction, this time for real.
#if defined(_WIN64)
                    ctx.Rip = reinterpret_cast<DWORD64>(target_);
#else
                    ctx.Eip = reinterpret_cast<DWORD>(target_);
#endif
                    const bool ours = NameArgument(ctx) == mutexName_;
                    if (!ours) ctx.EFlags |= 0x100;  // one step, then put the breakpoint back
                    SetThreadContext(thread, &ctx);
                    CloseHandle(thread);
                    if (ours) {
                        meanwhile();
                        stopped = true;
                    }
                } else if (rec.ExceptionCode == EXCEPTION_SINGLE_STEP && armed) {
                    Arm();
                } else if (ev.u.Exception.dwFirstChance) {
                    how = DBG_EXCEPTION_NOT_HANDLED;
                }
                break;
            }
            default:
                break;
            }
            ContinueDebugEvent(ev.dwProcessId, ev.dwThreadId, how);
        }
        DebugSetProcessKillOnExit(FALSE);
        DebugActiveProcessStop(GetProcessId(process_));
        return process_;
    }

private:
    void Patch(char byte) {
        DWORD old = 0;
        VirtualProtectEx(process_, target_, 1, PAGE_EXECUTE_READWRITE, &old);
        if (!WriteProcessMemory(process_, target_, &byte, 1, nullptr)) throw Failure("cannot set the breakpoint");
        VirtualProtectEx(process_, target_, 1, old, &old);
        FlushInstructionCache(process_, target_, 1);
    }
    void Arm() {
        char first = 0;
        if (!ReadProcessMemory(process_, target_, &first, 1, nullptr) || first != *target_)
            throw Failure("CreateMutexA is elsewhere in the program's process");
        Patch('\xCC');
    }
    void Disarm() { Patch(*target_); }

    // The third argument of CreateMutexA, the name: in R8 on x86-64; on i686 on the stack
    // (stdcall: the return address, then the arguments).
    std::string NameArgument(const CONTEXT& ctx) {
        char text[64] = {};
#if defined(_WIN64)
        const DWORD64 name = ctx.R8;
#else
        DWORD name = 0;
        if (!ReadProcessMemory(process_, reinterpret_cast<void*>(ctx.Esp + 12), &name, sizeof name, nullptr))
            name = 0;
#endif
        if (name) ReadProcessMemory(process_, reinterpret_cast<void*>(name), text, sizeof text - 1, nullptr);
        return text;
    }

    std::string program_;
    std::string mutexName_;
    char* target_;
    HANDLE process_ = nullptr;
};

// race <program>: two starts of the program meet in the gap between the test for a running
// instance and the creation of the mutex. The first start is held there while a second one
// starts and opens its window; then the first goes on. Prints the first one's exit status
// once it has ended (answer its message meanwhile).
void CmdRace(const Args& a) {
    Need(a, 1, "race <program>");
    const std::string program = a[0];
    HANDLE late = StopAtMutexCreation(program, app::kMutexName).Run([&] {
        CloseHandle(StartProgram(program, 0).hProcess);
        if (!WaitFor([] {
                for (HWND w : MainWindows())
                    if (IsWindowVisible(w)) return true;
                return false;
            }))
            throw Failure("the second instance opened no window");
    });
    if (WaitForSingleObject(late, gTimeout) != WAIT_OBJECT_0) throw Failure("the held start did not end");
    DWORD code = 0;
    GetExitCodeProcess(late, &code);
    CloseHandle(late);
    Out(Format("exit=%lu", code));
}

struct Command {
    const char* name;
    void (*run)(const Args&);
    const char* help;
};

const Command kCommands[] = {
    {"wait-window", CmdWaitWindow, "wait until the main window is visible and takes messages"},
    {"window", CmdWindow, "class, caption, client size, visible, iconic, foreground, pid"},
    {"count", CmdCount, "number of main windows and of message dialogs"},
    {"tabs", CmdTabs, "the tab row and the current tab"},
    {"select-tab", CmdSelectTab, "<caption>|#<n>: click that tab (the n-th, from 0)"},
    {"dblclick", CmdDblClick, "<x> <y>: double-click the main window's client area there"},
    {"click", CmdClick, "<control>: click a button, check box or radio button"},
    {"text", CmdText, "<control>: the control's whole text"},
    {"state", CmdState, "<control>: text, rect, enabled, visible, checked, items, index"},
    {"select", CmdSelect, "<control> <index>: pick an item of a radio group or drop-down list"},
    {"controls", CmdControls, "the tree of child windows"},
    {"texts", CmdTexts, "every text of the window's controls and of the open dialogs, one a line"},
    {"dialog", CmdDialog, "wait for a message dialog; print every open one"},
    {"no-dialog", CmdNoDialog, "fail when a message dialog is open"},
    {"answer", CmdAnswer, "<button>|#<n> [all]: press a button (the n-th, from 0) of the open dialog (of all of them)"},
    {"minimize", CmdMinimize, "minimise the main window"},
    {"close", CmdClose, "close the main window"},
    {"wait-gone", CmdWaitGone, "wait until no main window is left"},
    {"hold", CmdHold, "<path>: keep an existing file open without sharing until `release`"},
    {"release", CmdRelease, "let the file of a running `hold` go"},
    {"race", CmdRace, "<program>: hold a start between its instance test and its mutex creation"},
};

int Usage() {
    std::fputs("tovika-e2e-driver [-t <ms>] [--until <text>] [--utf8] <command> [arguments]\n"
               "<control>: a component name (btnUPDATE, Memo2, rgCOM1PORT, ...), text:<caption> or "
               "class:<name>[#n]\n",
               stderr);
    for (const auto& c : kCommands) std::fprintf(stderr, "  %-12s %s\n", c.name, c.help);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);  // the texts as they are, no CR added
    Args args(argv + 1, argv + argc);
    std::string until;
    while (!args.empty() && (args[0] == "--utf8" || (args.size() >= 2 && (args[0] == "-t" || args[0] == "--until")))) {
        if (args[0] == "--utf8") {
            gUtf8 = true;
            args.erase(args.begin());
            continue;
        }
        if (args[0] == "-t") gTimeout = static_cast<DWORD>(std::atol(args[1].c_str()));
        else until = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty() || args[0] == "help") return Usage();
    const Command* command = nullptr;
    for (const auto& c : kCommands)
        if (args[0] == c.name) command = &c;
    if (!command) return Usage();
    const Args rest(args.begin() + 1, args.end());

    const DWORD start = GetTickCount();
    std::string error;
    for (;;) {
        gOut.clear();
        error.clear();
        try {
            command->run(rest);
        } catch (const std::exception& e) {
            error = e.what();
        }
        if (until.empty() || (error.empty() && gOut.find(until) != std::string::npos)) break;
        if (GetTickCount() - start >= gTimeout) {
            if (error.empty()) error = "the output never contained " + until;
            break;
        }
        Sleep(100);
    }
    std::fwrite(gOut.data(), 1, gOut.size(), stdout);
    std::fflush(stdout);
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", args[0].c_str(), error.c_str());
        return 1;
    }
    return 0;
}
