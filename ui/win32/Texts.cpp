#include "ui/win32/Texts.h"

#include <commctrl.h>

#include <cstddef>
#include <cstring>

#include "sys/Messages.h"

namespace ui::win32 {

namespace {

TextMode mode;

// The W functions, bound at run time: Windows 95 has stubs or nothing for them.
struct Wide {
    decltype(&CreateWindowExW) createWindow = nullptr;
    decltype(&SetWindowTextW) setText = nullptr;
    decltype(&SendMessageW) send = nullptr;
    decltype(&DrawTextW) draw = nullptr;
    decltype(&GetTextExtentPoint32W) extent = nullptr;
    decltype(&CreateFontIndirectW) font = nullptr;
} wide;

template <class F> void Bind(F& f, HMODULE module, const char* name) {
    f = module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

bool BindWide() {
    HMODULE user = GetModuleHandleA("user32.dll");
    HMODULE gdi = GetModuleHandleA("gdi32.dll");
    Bind(wide.createWindow, user, "CreateWindowExW");
    Bind(wide.setText, user, "SetWindowTextW");
    Bind(wide.send, user, "SendMessageW");
    Bind(wide.draw, user, "DrawTextW");
    Bind(wide.extent, gdi, "GetTextExtentPoint32W");
    Bind(wide.font, gdi, "CreateFontIndirectW");
    return wide.createWindow && wide.setText && wide.send && wide.draw && wide.extent && wide.font;
}

bool Unicode() { return mode.unicode; }

}  // namespace

bool SetTextMode(const TextMode& newMode) {
    if (newMode.unicode && !BindWide()) return false;
    mode = newMode;
    return true;
}

const TextMode& CurrentTextMode() { return mode; }

namespace {

void AppendWide(std::wstring& out, UINT codePage, const char* text, std::size_t size) {
    if (size == 0) return;
    const int n = MultiByteToWideChar(codePage, 0, text, static_cast<int>(size), nullptr, 0);
    if (n <= 0) return;
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(n));
    MultiByteToWideChar(codePage, 0, text, static_cast<int>(size), &out[at], n);
}

}  // namespace

std::wstring Widen(const std::string& text) {
    std::wstring out;
    std::size_t i = 0;
    while (i < text.size()) {
        // A table text up to the next mark: a Shift-JIS trail byte is never below 40h.
        const std::size_t start = text.find(sys::kSystemTextStart, i);
        const std::size_t tableEnd = start == std::string::npos ? text.size() : start;
        AppendWide(out, 932, text.data() + i, tableEnd - i);
        if (start == std::string::npos) break;
        std::size_t end = text.find(sys::kSystemTextEnd, start + 1);
        if (end == std::string::npos) end = text.size();
        AppendWide(out, CP_ACP, text.data() + start + 1, end - start - 1);
        i = end + 1;
    }
    return out;
}

std::string SystemTextIn932(const std::string& text) {
    std::wstring wide;
    AppendWide(wide, CP_ACP, text.data(), text.size());
    if (wide.empty()) return text;
    const int n = WideCharToMultiByte(932, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return text;
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(932, 0, wide.c_str(), static_cast<int>(wide.size()), &out[0], n, nullptr, nullptr);
    return out;
}

HWND CreateWindowWithText(DWORD exStyle, const char* windowClass, const std::string& text, DWORD style,
                          int left, int top, int width, int height, HWND parent, int id) {
    HMENU menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!Unicode())
        return CreateWindowExA(exStyle, windowClass, text.c_str(), style, left, top, width, height, parent, menu,
                               instance, nullptr);
    const std::wstring cls = Widen(windowClass);
    return wide.createWindow(exStyle, cls.c_str(), Widen(text).c_str(), style, left, top, width, height, parent,
                             menu, instance, nullptr);
}

void SetText(HWND window, const std::string& text) {
    if (Unicode()) wide.setText(window, Widen(text).c_str());
    else SetWindowTextA(window, text.c_str());
}

LRESULT SendText(HWND window, UINT message, WPARAM wParam, const std::string& text) {
    if (!Unicode()) return SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(text.c_str()));
    const std::wstring w = Widen(text);
    return wide.send(window, message, wParam, reinterpret_cast<LPARAM>(w.c_str()));
}

void InsertTab(HWND tabs, int index, const std::string& text) {
    if (!Unicode()) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(text.c_str());
        SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return;
    }
    std::wstring w = Widen(text);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = &w[0];
    wide.send(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

SIZE MeasureText(HDC dc, const std::string& text) {
    SIZE size = {};
    if (!Unicode()) {
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    } else {
        const std::wstring w = Widen(text);
        wide.extent(dc, w.c_str(), static_cast<int>(w.size()), &size);
    }
    return size;
}

int DrawTextIn(HDC dc, const std::string& text, RECT* rect, UINT format) {
    if (!Unicode()) return DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), rect, format);
    const std::wstring w = Widen(text);
    return wide.draw(dc, w.c_str(), static_cast<int>(w.size()), rect, format);
}

HFONT CreateWindowFont(const char* japaneseFace, const wchar_t* japaneseWide, const char* englishFace,
                       int height, BYTE pitchAndFamily) {
    const bool english = mode.language == sys::Language::English;
    LOGFONTA font = {};
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = english ? ANSI_CHARSET : SHIFTJIS_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = pitchAndFamily;
    if (!Unicode()) {
        std::strncpy(font.lfFaceName, english ? englishFace : japaneseFace, LF_FACESIZE - 1);
        return CreateFontIndirectA(&font);
    }
    LOGFONTW w = {};
    std::memcpy(&w, &font, offsetof(LOGFONTA, lfFaceName));
    for (int i = 0; japaneseWide[i] && i < LF_FACESIZE - 1; ++i) w.lfFaceName[i] = japaneseWide[i];
    return wide.font(&w);
}

}  // namespace ui::win32
