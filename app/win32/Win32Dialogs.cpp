#include "app/win32/Win32Dialogs.h"

#include <algorithm>

#include "ui/win32/Peers.h"
#include "ui/win32/Texts.h"

namespace app::win32 {

namespace {

HWND owner = nullptr;

constexpr int kMargin = 12;        // around the text and below the buttons
constexpr int kGap = 12;           // between the text and the button row
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonSpacing = 8;

struct Request {
    const std::string& text;
    bool confirm;  // two buttons, or the single OK
};

// The dialog's template holds no controls: they are made in WM_INITDIALOG, in pixels, once
// the text has been measured. The template only has to be DWORD-aligned.
struct alignas(4) EmptyTemplate {
    DLGTEMPLATE header;
    WORD menu = 0, windowClass = 0, title = 0;
};

HWND Control(HWND dialog, const char* windowClass, const std::string& text, DWORD style, int id, RECT at) {
    HWND control = ui::win32::CreateWindowWithText(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, at.left,
                                                   at.top, at.right - at.left, at.bottom - at.top, dialog, id);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(ui::win32::WindowFont()), FALSE);
    return control;
}

// Measures the text, creates the text and the buttons, sizes the dialog around them and
// centres it on the screen. The title comes from the program's path, in the system's own code
// page, and goes to the system as it is.
void Build(HWND dialog, const Request& request) {
    SetWindowTextA(dialog, ApplicationTitle().c_str());
    const bool english = ui::win32::CurrentTextMode().language == sys::Language::English;

    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    constexpr UINT kTextFormat = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;
    RECT text = {0, 0, screenWidth / 2, 0};
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, ui::win32::WindowFont());
    ui::win32::DrawTextIn(dc, request.text, &text, kTextFormat | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);

    const int buttons = request.confirm ? 2 : 1;
    const int rowWidth = buttons * kButtonWidth + (buttons - 1) * kButtonSpacing;
    const int clientWidth = std::max<int>(text.right - text.left, rowWidth) + 2 * kMargin;
    const int textBottom = kMargin + (text.bottom - text.top);
    const int rowTop = textBottom + kGap;
    const int clientHeight = rowTop + kButtonHeight + kMargin;

    Control(dialog, "STATIC", request.text, SS_LEFT | SS_NOPREFIX, -1,
            {kMargin, kMargin, kMargin + (text.right - text.left), textBottom});
    int left = (clientWidth - rowWidth) / 2;
    HWND ok = Control(dialog, "BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK,
                      {left, rowTop, left + kButtonWidth, rowTop + kButtonHeight});
    if (request.confirm) {
        left += kButtonWidth + kButtonSpacing;
        Control(dialog, "BUTTON", english ? "Cancel" : "キャンセル", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL,
                {left, rowTop, left + kButtonWidth, rowTop + kButtonHeight});
    }
    SendMessageA(dialog, DM_SETDEFID, IDOK, 0);

    RECT frame = {0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(dialog, nullptr, (screenWidth - width) / 2, (screenHeight - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetFocus(ok);
}

// The dialog manager turns Enter into IDOK (the default button) and Escape into IDCANCEL,
// and so does the close box (WM_CLOSE); the information message has no キャンセル button
// but closes on IDCANCEL all the same.
INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        try {
            Build(dialog, *reinterpret_cast<const Request*>(lParam));
        } catch (...) {
            EndDialog(dialog, IDCANCEL);  // nothing may unwind through the dialog manager
        }
        return FALSE;  // the focus is set
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR Show(const std::string& text, bool confirm) {
    EmptyTemplate dialog = {};
    dialog.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
    const Request request{text, confirm};
    // The owner is disabled while the dialog is open; a destroyed window is no owner.
    HWND parent = owner && IsWindow(owner) ? owner : nullptr;
    return DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &dialog.header, parent, DialogProc,
                                   reinterpret_cast<LPARAM>(&request));
}

}  // namespace

std::string& ApplicationTitle() {
    static std::string title;
    return title;
}

bool Win32Dialogs::Confirm(const std::string& text) { return Show(text, true) == IDOK; }

void Win32Dialogs::Inform(const std::string& text) { Show(text, false); }

void Win32Dialogs::SetOwner(HWND window) { owner = window; }

}  // namespace app::win32
