// Where the round buttons of a radio group stand inside its frame. Kept free of <windows.h>
// so that the native unit tests check it too.
#pragma once

#include <vector>

namespace ui::win32 {

struct ItemBox {
    int left, top, width, height;
};

// `count` items in `columns` columns, filling each column top to bottom, the left column
// first. The items share the space below the frame's caption (`textHeight` high) evenly;
// 8 pixels on the left leave room for the frame line, and what a division leaves over
// goes to the top margin so the rows sit in the middle.
inline std::vector<ItemBox> ArrangeRadioItems(int count, int columns, int width, int height,
                                              int textHeight) {
    std::vector<ItemBox> boxes;
    if (count <= 0) return boxes;
    if (columns < 1) columns = 1;
    if (columns > count) columns = count;
    const int rows = (count + columns - 1) / columns;
    const int columnWidth = (width - 10) / columns;
    const int usable = height - textHeight - 5;
    const int rowHeight = usable / rows;
    const int top = textHeight + 1 + (usable % rows) / 2;
    for (int i = 0; i < count; ++i)
        boxes.push_back({8 + (i / rows) * columnWidth, top + (i % rows) * rowHeight, columnWidth, rowHeight});
    return boxes;
}

}  // namespace ui::win32
