// The same-page yardstick of the start-up benchmark: what TOVIKA shows at start, made plainly
// with one creation call per window and no program behind it. The tab control with the four
// tabs (bound at run time and drawn unthemed, as TOVIKA does), the information page with its
// eight buttons and the report box, the two labels and the three buttons below, in the same
// fonts, places and sizes.
#include "Yardstick.h"

namespace {

struct Init {
    DWORD size, classes;
};

void InitCommonControlsAtRunTime() {
    HMODULE library = LoadLibraryA("comctl32.dll");
    if (!library) return;
    using InitEx = BOOL(WINAPI*)(const Init*);
    if (auto ex = reinterpret_cast<InitEx>(reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")))) {
        const Init init{sizeof(Init), 0x00000008 /* ICC_TAB_CLASSES */};
        ex(&init);
    }
}

void DrawUnthemed(HWND window) {
    HMODULE theme = GetModuleHandleA("uxtheme.dll");
    if (!theme) return;
    using SetTheme = HRESULT(WINAPI*)(HWND, const wchar_t*, const wchar_t*);
    if (auto set = reinterpret_cast<SetTheme>(reinterpret_cast<void*>(GetProcAddress(theme, "SetWindowTheme"))))
        set(window, L" ", L" ");
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    using yardstick::Child;
    InitCommonControlsAtRunTime();
    const HFONT font = yardstick::MakeFont("ＭＳ Ｐゴシック", DEFAULT_PITCH | FF_DONTCARE);
    const HFONT fixed = yardstick::MakeFont("ＭＳ ゴシック", FIXED_PITCH | FF_MODERN);
    HWND window = yardstick::MainWindow(instance, "SamePageWindow");

    HWND tab = Child(window, "SysTabControl32", "", WS_TABSTOP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 0, 0, 512,
                     345, font);
    DrawUnthemed(tab);
    const char* const captions[] = {"情報", "システム", "ビデオ", "省電力"};
    for (int i = 0; i < 4; ++i) {
        struct {
            UINT mask;
            DWORD state, stateMask;
            LPSTR text;
            int textMax, image;
            LPARAM param;
        } item = {0x0001 /* TCIF_TEXT */, 0, 0, const_cast<char*>(captions[i]), 0, -1, 0};
        SendMessageA(tab, 0x1307 /* TCM_INSERTITEMA */, i, reinterpret_cast<LPARAM>(&item));
    }
    RECT area;
    GetClientRect(tab, &area);
    SendMessageA(tab, 0x1328 /* TCM_ADJUSTRECT */, FALSE, reinterpret_cast<LPARAM>(&area));
    yardstick::Register(instance, "SamePage");
    HWND page = Child(tab, "SamePage", "", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, area.left, area.top,
                      area.right - area.left, area.bottom - area.top, font);

    const struct {
        const char* caption;
        int left;
        int width;
    } buttons[] = {{"F2:LCD", 4, 51},    {"F3:DISP", 56, 51}, {"F5:Vol", 108, 51}, {"F6:APM", 160, 51},
                   {"F9:Batt", 212, 51}, {"BACKUP", 276, 65}, {"DUMP", 344, 65},   {"再表示", 424, 75}};
    for (const auto& b : buttons) Child(page, "BUTTON", b.caption, WS_TABSTOP | BS_PUSHBUTTON, 0, b.left, 2, b.width, 25, font);
    yardstick::ReportBox(page, 0, 33, 504, 285, fixed);

    Child(window, "STATIC", "Prog Version 0.5.0.0", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY, 0, 4, 352, 110, 12,
          font);
    Child(window, "STATIC", "WindowsNT(2000 Later)  (Windows Ver.6.1  Build 7601)",
          SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY, 0, 4, 364, 250, 12, font);
    Child(window, "BUTTON", "ハイバネ領域作成", WS_TABSTOP | BS_PUSHBUTTON, 0, 260, 352, 103, 25, font);
    Child(window, "BUTTON", "再読込", WS_TABSTOP | BS_PUSHBUTTON, 0, 368, 352, 69, 25, font);
    Child(window, "BUTTON", "更新", WS_TABSTOP | BS_PUSHBUTTON, 0, 440, 352, 69, 25, font);
    return yardstick::Run(window, show);
}
