// The window's layout as data: every component with its kind, parent, caption, geometry at
// 96 dpi (relative to the client area of its parent), tab order and initial state. The form
// creates its controls from this table, and the native shell creates their windows from it.
#pragma once

#include <vector>

namespace app {

enum class Kind { PageControl, TabSheet, Panel, GroupBox, Button, Label, Memo, RadioGroup, ComboBox, CheckBox };
enum class Font { Window, Fixed, Black };  // the window font, "ＭＳ ゴシック", or black text

struct ControlLayout {
    const char* name;
    Kind kind;
    const char* parent;  // nullptr: the window itself
    const char* caption;
    int left, top, width, height;
    int tabOrder;        // among the children of one parent; -1: not a tab stop
    int columns = 1;     // radio groups
    int tag = 0;
    bool enabled = true;
    Font font = Font::Window;
};

constexpr int kClientWidth = 512;
constexpr int kClientHeight = 383;

// Parents come before their children; the rows of one parent in the order of creation.
const std::vector<ControlLayout>& WindowLayout();

// The control identifier of a row's native window: 1000 + the row's position in the table.
// Unique in the window and clear of IDOK, IDCANCEL, the radio buttons inside a group
// (100 + item) and the frames (0xFFFF), so a test program finds a control by it. `row` must be
// a row of WindowLayout().
constexpr int kFirstControlId = 1000;
int ControlId(const ControlLayout& row);

}  // namespace app
