#pragma once

namespace glancer {

// The sizes of the list screen for one size index (0..4; the window and full
// screen each have their own index). All in pixels.
struct SizeMetrics {
    int headerHeight = 0;
    int headerFirstLine = 0;  // the "Folder" line; the folder line takes the rest
    int listFont = 0;         // list rows and the "Folder" line
    int columnHeaderFont = 0; // column headers and the folder line
    int iconSize = 0;
    int minSizeColumn = 0;    // the Size column's least width

    int headerSecondLine() const { return headerHeight - headerFirstLine; }
    // The list font's height x 5 / 4 + 2.
    int rowHeight() const { return listFont * 5 / 4 + 2; }

    // The row of the table for an index (brought into 0..4).
    static SizeMetrics forIndex(int index);
};

// The list's two columns: the Size column max((client width - scroll bar) /
// 6, the table's minimum), the File column the rest less 3 pixels.
struct ColumnWidths {
    int file = 0;
    int size = 0;
    static ColumnWidths compute(int clientWidth, int scrollBarWidth, const SizeMetrics &metrics);
};

} // namespace glancer
