// The window's layout as data: every component with its kind, parent, caption in both
// languages, geometry at 96 dpi (relative to the client area of its parent), tab order and
// initial state. The form creates its controls from this table, and the native shell creates
// their windows from it.
#pragma once

#include <cstdint>
#include <vector>

#include "sys/Language.h"

namespace app {

enum class Kind : std::uint8_t { PageControl, TabSheet, Panel, GroupBox, Button, Label, Memo, RadioGroup, ComboBox, CheckBox };
enum class Font : std::uint8_t { Window, Fixed, Black };  // the window font, "ＭＳ ゴシック", or black text

// The fields are as narrow as their values allow: the table is part of every executable.
struct ControlLayout {
    const char* name;
    Kind kind;
    std::int16_t id;      // the control identifier of its native window (ControlId)
    const char* parent;  // nullptr: the window itself
    const char* caption;  // Japanese
    const char* english;  // the same in English, plain ASCII
    std::int16_t left, top, width, height;
    std::int8_t tabOrder;     // among the children of one parent; -1: not a tab stop
    std::int8_t columns = 1;  // radio groups
    bool enabled = true;
    Font font = Font::Window;
};

constexpr int kClientWidth = 512;
constexpr int kClientHeight = 383;

// The caption in `language`.
inline const char* CaptionIn(const ControlLayout& row, sys::Language language) {
    return sys::InLanguage(language, row.caption, row.english);
}

// Parents come before their children; the rows of one parent in the order of creation.
const std::vector<ControlLayout>& WindowLayout();

// The control identifier of a row's native window, written in its row: from 1000 up, unique
// in the window and clear of IDOK, IDCANCEL, the radio buttons inside a group (100 + item)
// and the frames (0xFFFF), so a test program finds a control by it (e2e/Controls.h holds its
// own copy, which the end-to-end tests check). A new row takes a new number, after the
// highest, and no other row's number changes.
constexpr int kFirstControlId = 1000;
int ControlId(const ControlLayout& row);

}  // namespace app
