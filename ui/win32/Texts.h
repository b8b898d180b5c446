// How the window's texts reach the system. Decided once when the program starts, before the
// first window or message:
//  - Japanese on a code-page-932 system, and English everywhere: the ANSI ("A") functions,
//    the texts as they are (Shift-JIS, or plain ASCII);
//  - Japanese on an NT-family system whose own code page is not 932: the Unicode ("W")
//    functions, each text converted from code page 932. The W functions are bound at run
//    time, so that the programs still load on Windows 95, which lacks most of them.
// Every peer and dialog creates its windows, sets and measures its texts through here.
#pragma once

#include <windows.h>

#include <string>

#include "sys/Language.h"

namespace ui::win32 {

struct TextMode {
    sys::Language language = sys::Language::Japanese;
    bool unicode = false;
};

// Sets the mode for the rest of the process; false (and the mode unchanged) when the system
// lacks a function that the Unicode mode needs.
bool SetTextMode(const TextMode& mode);
const TextMode& CurrentTextMode();

// The text converted to UTF-16: from code page 932, but what stands between
// sys::kSystemTextStart and sys::kSystemTextEnd (a path or the system's reason in a message)
// from the system's own code page; the marks themselves are dropped.
std::wstring Widen(const std::string& text);
// A short text of the system's own code page (a regional separator) in code page 932, as near
// as 932 can write it: for the reports that the Unicode mode shows in Japanese.
std::string SystemTextIn932(const std::string& text);

// CreateWindowExA, or CreateWindowExW with the text converted.
HWND CreateWindowWithText(DWORD exStyle, const char* windowClass, const std::string& text, DWORD style,
                          int left, int top, int width, int height, HWND parent, int id);
// SetWindowTextA, or SetWindowTextW with the text converted.
void SetText(HWND window, const std::string& text);
// A message whose lParam is a text (CB_ADDSTRING): SendMessageA or SendMessageW.
LRESULT SendText(HWND window, UINT message, WPARAM wParam, const std::string& text);
// A tab of the tab control: TCM_INSERTITEMA or TCM_INSERTITEMW.
void InsertTab(HWND tabs, int index, const std::string& text);
// The extent of the text in the font selected into `dc`.
SIZE MeasureText(HDC dc, const std::string& text);
// DrawTextA or DrawTextW.
int DrawTextIn(HDC dc, const std::string& text, RECT* rect, UINT format);
// A font of the window's: the Japanese face by its name (with the Unicode name in the Unicode
// mode, so that the system's font linking finds a Japanese font), in the Shift-JIS character
// set; in English the ANSI face `englishFace` in the ANSI character set.
HFONT CreateWindowFont(const char* japaneseFace, const wchar_t* japaneseWide, const char* englishFace,
                       int height, BYTE pitchAndFamily);

}  // namespace ui::win32
