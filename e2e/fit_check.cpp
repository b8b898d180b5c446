// tovika-fit-check.exe: measures every text of the window in both languages with the fonts
// the window makes, against the room that its control gives it, and lists each text that does
// not fit. Exit status 1 when an English text overflows; a Japanese one is listed only (the
// Japanese layout is the window's own and stays as it is).
//
// The room: a button's width less its borders; a frame's caption, the frame less its corners;
// a radio item, its column (ui/win32/RadioLayout.h) less the round button; a check box, its
// width less the box; a label (labels size themselves), up to the next control on its right
// in the same parent; a list item, the list less its arrow button; the tabs, the tab row
// together; a dialog's button, the button; a message's longest word, half of a 640-pixel
// screen, where the dialogs wrap.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/Layout.h"
#include "settings/Catalogue.h"
#include "sys/Messages.h"
#include "ui/win32/Peers.h"
#include "ui/win32/RadioLayout.h"
#include "ui/win32/Texts.h"

namespace {

using app::ControlLayout;
using app::Kind;

constexpr int kButtonBorders = 8;   // 4 on each side
constexpr int kFrameCorners = 16;   // the caption starts 8 in and must end 8 before the frame's end
constexpr int kRoundButton = 18;    // a radio item's or a check box's mark and the gap after it
constexpr int kListArrow = 22;      // a drop-down list's arrow button and its margins
constexpr int kTabPadding = 12;     // the tab's margins around its caption
constexpr int kLabelGap = 2;        // between a label's end and the control on its right

struct Checker {
    HDC dc;
    const char* language;
    int overflows = 0;
    int measured = 0;

    void Check(const char* control, const std::string& text, int room) {
        if (text.empty()) return;
        ++measured;
        const int needed = ui::win32::MeasureText(dc, text).cx;
        if (needed <= room) return;
        ++overflows;
        std::printf("overflow %s %s \"%s\" needs %d, room %d\n", language, control,
                    Utf8(text).c_str(), needed, room);
    }

    static std::string Utf8(const std::string& text) {
        const std::wstring w = ui::win32::Widen(text);
        char out[512] = {};
        WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, out, sizeof out - 1, nullptr, nullptr);
        return out;
    }
};

const ControlLayout* Row(const char* name) {
    for (const ControlLayout& row : app::WindowLayout())
        if (name && std::string_view(row.name) == name) return &row;
    return nullptr;
}

// Where a label's room ends: the left edge of the nearest control to its right on the same
// line in the same parent, or the parent's width.
int LabelRoom(const ControlLayout& label) {
    const ControlLayout* parent = Row(label.parent);
    int end = parent ? parent->width : app::kClientWidth;
    for (const ControlLayout& row : app::WindowLayout()) {
        const bool sameParent = (row.parent && label.parent) ? std::string_view(row.parent) == label.parent
                                                             : row.parent == label.parent;
        const bool sameLine = row.top < label.top + label.height && label.top < row.top + row.height;
        if (&row != &label && sameParent && sameLine && row.left > label.left) end = std::min<int>(end, row.left);
    }
    return end - label.left - kLabelGap;
}

int TextHeight(HDC dc) {
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    return metrics.tmHeight;
}

void CheckLanguage(sys::Language language, bool unicode, Checker& check) {
    for (const ControlLayout& row : app::WindowLayout()) {
        const std::string caption = app::CaptionIn(row, language);
        const settings::Setting* setting = settings::FindSetting(row.name);
        const std::vector<std::string> items = setting ? settings::ItemTexts(*setting, language)
                                                       : std::vector<std::string>{};
        switch (row.kind) {
        case Kind::Button: check.Check(row.name, caption, row.width - kButtonBorders); break;
        case Kind::GroupBox: check.Check(row.name, caption, row.width - kFrameCorners); break;
        case Kind::CheckBox: check.Check(row.name, caption, row.width - kRoundButton); break;
        case Kind::Label:
            // The version and system labels get their texts at run time and have the line.
            check.Check(row.name, caption, LabelRoom(row));
            break;
        case Kind::ComboBox:
            for (const std::string& item : items) check.Check(row.name, item, row.width - kListArrow);
            break;
        case Kind::RadioGroup: {
            check.Check(row.name, caption, row.width - kFrameCorners);
            const auto boxes = ui::win32::ArrangeRadioItems(static_cast<int>(items.size()), row.columns, row.width,
                                                            row.height, TextHeight(check.dc));
            for (std::size_t i = 0; i < boxes.size(); ++i)
                check.Check(row.name, items[i], boxes[i].width - kRoundButton);
            break;
        }
        default: break;
        }
    }
    // The tab row: every tab's caption and margins side by side in the page control.
    int tabs = 0;
    std::string names;
    for (const ControlLayout& row : app::WindowLayout())
        if (row.kind == Kind::TabSheet) {
            tabs += ui::win32::MeasureText(check.dc, app::CaptionIn(row, language)).cx + kTabPadding;
            names += app::CaptionIn(row, language);
            names += ' ';
        }
    if (tabs > app::kClientWidth - 8) {
        ++check.overflows;
        std::printf("overflow %s tab row \"%s\" needs %d, room %d\n", check.language, Checker::Utf8(names).c_str(),
                    tabs, app::kClientWidth - 8);
    }
    // The dialogs: their buttons (75 wide), and each message's longest word.
    check.Check("dialog button", language == sys::Language::English ? "Cancel" : "キャンセル", 75 - kButtonBorders);
    for (const sys::MessageRow& row : sys::MessageTable()) {
        std::string_view text = sys::InLanguage(language, row.japanese, row.english);
        std::size_t i = 0;
        while (i < text.size()) {
            std::size_t end = text.find(' ', i);
            if (end == std::string_view::npos) end = text.size();
            check.Check("message word", std::string(text.substr(i, end - i)), 320);
            i = end + 1;
        }
    }
    (void)unicode;
}

int Run(sys::Language language, bool unicode, const char* name, int& english) {
    if (!ui::win32::SetTextMode({language, unicode})) {
        std::printf("%s: the Unicode functions are missing\n", name);
        return 1;
    }
    HDC dc = GetDC(nullptr);
    HFONT font = ui::win32::NewWindowFont();
    HGDIOBJ old = SelectObject(dc, font);
    Checker check{dc, name};
    CheckLanguage(language, unicode, check);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    std::printf("%s: %d texts measured, %d do not fit\n", name, check.measured, check.overflows);
    if (language == sys::Language::English) english = check.overflows;
    return 0;
}

}  // namespace

int main() {
    int english = 0;
    // The Japanese through the Unicode API, so that it is measured in any locale; the font is
    // the same face in the same character set as through the ANSI API.
    if (Run(sys::Language::Japanese, true, "japanese", english) != 0) return 1;
    Run(sys::Language::English, false, "english", english);
    return english == 0 ? 0 : 1;
}
