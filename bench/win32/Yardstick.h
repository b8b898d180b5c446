// What the two start-up yardsticks share: they are built and started like TOVIKA-SIM.exe,
// and they count as ready the way it does, once a visible edit control holds the information
// report (the probe looks for its " kb" lines). The sample is the report of the simulated
// notebook's factory state, 22 lines.
#pragma once

#include <windows.h>

#include <cstring>

namespace yardstick {

inline const char* const kReport =
    "■メモリ\r\n"
    "  base memory :    640 kb\r\n"
    "  extended memory : 31,744 kb\r\n"
    "  ハイバネーションに必要なサイズ =   33792KB /02100000\r\n"
    "■HDD\r\n"
    "  drive C: extension type =2F\r\n"
    "  drive D: extension type =00\r\n"
    "■CPU\r\n"
    "  CPUスピード (0:LOW 1:HIGH) =1\r\n"
    "  HIGHの時の動作周波数 =166.0 MHz\r\n"
    "  LOW の時の動作周波数 = 83.0 MHz\r\n"
    "■デバイス状態\r\n"
    "  ファン回転状態 (0:停止 1:回転) =0\r\n"
    "  AC online (0:on 1:off) =0\r\n"
    "  温度 (0-255)= 54.6℃ (122:7A)\r\n"
    "  LCDバックライトの輝度 (0:低輝度 1:高輝度) =1\r\n"
    "  音量(0:オフ 1:中 2:大) =1\r\n"
    "■バッテリ\r\n"
    "  A 状態(0:無 1:通常 3:LOW 7:充電中) =7\r\n"
    "    残量(0:無 1:LOW 30:Full 31:不明) =30\r\n"
    "  B 状態(0:無 1:通常 3:LOW 7:充電中) =0\r\n"
    "    残量(0:無 1:LOW 30:Full 31:不明) =0";

// The two fonts of the main window, made the same way.
inline HFONT MakeFont(const char* face, BYTE pitchAndFamily) {
    LOGFONTA font = {};
    font.lfHeight = -12;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfPitchAndFamily = pitchAndFamily;
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectA(&font);
}

inline LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}

inline void Register(HINSTANCE instance, const char* name) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

// A top-level window with the main window's style and client size, centred.
inline HWND MainWindow(HINSTANCE instance, const char* className) {
    Register(instance, className);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT r = {0, 0, 512, 383};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    const int width = r.right - r.left, height = r.bottom - r.top;
    return CreateWindowExA(0, className, "TOVIKA", style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                           (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr,
                           instance, nullptr);
}

inline HWND Child(HWND parent, const char* cls, const char* text, DWORD style, DWORD exStyle, int x, int y,
                  int w, int h, HFONT font) {
    HWND c = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, x, y, w, h,
                             parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return c;
}

// The read-only report box of the information page.
inline HWND ReportBox(HWND parent, int x, int y, int w, int h, HFONT font) {
    return Child(parent, "EDIT", kReport, WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                 WS_EX_CLIENTEDGE, x, y, w, h, font);
}

inline int Run(HWND window, int show) {
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

}  // namespace yardstick
