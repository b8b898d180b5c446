// Where the round buttons of a radio group stand: columns filled top to bottom, the left
// column first, and every item of every group of the window inside its frame.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/Layout.h"
#include "settings/Catalogue.h"
#include "ui/win32/RadioLayout.h"

namespace {

using ui::win32::ArrangeRadioItems;
using ui::win32::ItemBox;

struct Cell {
    int column, row;
    bool operator==(const Cell&) const = default;
};

// The column and row of each item, read back from the boxes' positions.
std::vector<Cell> Cells(const std::vector<ItemBox>& boxes) {
    std::vector<int> lefts, tops;
    for (const auto& b : boxes) {
        if (std::find(lefts.begin(), lefts.end(), b.left) == lefts.end()) lefts.push_back(b.left);
        if (std::find(tops.begin(), tops.end(), b.top) == tops.end()) tops.push_back(b.top);
    }
    std::sort(lefts.begin(), lefts.end());
    std::sort(tops.begin(), tops.end());
    std::vector<Cell> cells;
    for (const auto& b : boxes)
        cells.push_back({static_cast<int>(std::find(lefts.begin(), lefts.end(), b.left) - lefts.begin()),
                         static_cast<int>(std::find(tops.begin(), tops.end(), b.top) - tops.begin())});
    return cells;
}

TEST(RadioLayout, FillsEachColumnTopToBottomLeftColumnFirst) {
    const struct {
        int count, columns;
        std::vector<Cell> cells;
    } cases[] = {
        {4, 2, {{0, 0}, {0, 1}, {1, 0}, {1, 1}}},  // rgLPTMODE, rgLPTPORT
        {3, 2, {{0, 0}, {0, 1}, {1, 0}}},          // rbMODEAC: the right column holds one
        {3, 3, {{0, 0}, {1, 0}, {2, 0}}},          // rgCOM1PORT: one row
        {3, 1, {{0, 0}, {0, 1}, {0, 2}}},          // rgDISPMODE: one column
        {2, 5, {{0, 0}, {1, 0}}},                  // more columns than items
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.count) + " items in " + std::to_string(c.columns) + " columns");
        EXPECT_EQ(Cells(ArrangeRadioItems(c.count, c.columns, 189, 45, 12)), c.cells);
    }
}

TEST(RadioLayout, EveryItemOfTheWindowStaysInsideItsFrameBelowTheCaption) {
    for (const int textHeight : {12, 13}) {  // the design font, and the wider substitute under Wine
        for (const auto& row : app::WindowLayout()) {
            if (row.kind != app::Kind::RadioGroup) continue;
            SCOPED_TRACE(std::string(row.name) + ", text height " + std::to_string(textHeight));
            const auto* setting = settings::FindSetting(row.name);
            ASSERT_NE(setting, nullptr);
            const auto boxes = ArrangeRadioItems(static_cast<int>(setting->items.size()), row.columns,
                                                 row.width, row.height, textHeight);
            ASSERT_EQ(boxes.size(), setting->items.size());
            for (size_t i = 0; i < boxes.size(); ++i) {
                const ItemBox& b = boxes[i];
                EXPECT_GE(b.left, 2);
                EXPECT_LE(b.left + b.width, row.width - 2);
                EXPECT_GT(b.top, textHeight / 2) << "below the frame's top line and caption";
                EXPECT_LE(b.top + b.height, row.height - 2);
                EXPECT_GE(b.height, textHeight) << "tall enough for a line of text";
                for (size_t j = 0; j < i; ++j) {
                    const ItemBox& o = boxes[j];
                    const bool apart = b.left >= o.left + o.width || o.left >= b.left + b.width ||
                                       b.top >= o.top + o.height || o.top >= b.top + b.height;
                    EXPECT_TRUE(apart) << "items " << j << " and " << i << " overlap";
                }
            }
        }
    }
}

TEST(RadioLayout, NoItemsNoBoxes) { EXPECT_TRUE(ArrangeRadioItems(0, 2, 100, 45, 12).empty()); }

}  // namespace
