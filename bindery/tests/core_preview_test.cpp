// The preview: which pages a position shows and where they are drawn.
#include "core/previewlayout.h"

#include <gtest/gtest.h>

using namespace bindery;

namespace {

PreviewPages at(int position, bool spread, bool cover, bool right, int count)
{
    return spreadPages(spreadNumber(position, spread, cover), spread, cover, right, count);
}

} // namespace

TEST(BinderyPreviewPairing, CoverAndBindingCombinations)
{
    // Five pages, a cover, left binding: (none, 0), (1, 2), (3, 4).
    EXPECT_EQ(at(1, true, true, false, 5), (PreviewPages{-1, 0}));
    EXPECT_EQ(at(2, true, true, false, 5), (PreviewPages{1, 2}));
    EXPECT_EQ(at(3, true, true, false, 5), (PreviewPages{1, 2}));
    EXPECT_EQ(at(4, true, true, false, 5), (PreviewPages{3, 4}));
    EXPECT_EQ(at(5, true, true, false, 5), (PreviewPages{3, 4}));
    // Right binding mirrors them: (0, none), (2, 1), (4, 3).
    EXPECT_EQ(at(1, true, true, true, 5), (PreviewPages{0, -1}));
    EXPECT_EQ(at(3, true, true, true, 5), (PreviewPages{2, 1}));
    EXPECT_EQ(at(5, true, true, true, 5), (PreviewPages{4, 3}));
    // No cover, left binding: position 5 of five shows page 4 alone on the left.
    EXPECT_EQ(at(1, true, false, false, 5), (PreviewPages{0, 1}));
    EXPECT_EQ(at(5, true, false, false, 5), (PreviewPages{4, -1}));
    EXPECT_EQ(at(2, true, false, true, 5), (PreviewPages{1, 0}));
    // Single view shows the page itself; beyond the book nothing.
    EXPECT_EQ(at(3, false, true, true, 5), (PreviewPages{2, -1}));
    EXPECT_EQ(at(7, false, true, true, 5), (PreviewPages{-1, -1}));
    EXPECT_EQ(spreadNumber(0, true, true), 0);
    EXPECT_EQ(at(0, true, true, false, 0), (PreviewPages{-1, -1}));
}

TEST(BinderyPreviewFitting, SingleAndSpreadGeometry)
{
    const QRect area(0, 0, 400, 300);
    // Tall picture: full height, centred horizontally.
    EXPECT_EQ(singlePageRect(area, QSize(100, 200)), QRect(125, 0, 150, 300));
    // Wide picture: full width, centred vertically.
    EXPECT_EQ(singlePageRect(area, QSize(400, 100)), QRect(0, 100, 400, 100));
    EXPECT_EQ(singlePageRect(area, QSize(400, 301)), QRect(1, 0, 398, 300));
    // Spread halves are 200 wide; tall pictures touch the centre line.
    EXPECT_EQ(spreadLeftRect(area, QSize(100, 200)), QRect(50, 0, 150, 300));
    EXPECT_EQ(spreadRightRect(area, QSize(100, 200)), QRect(200, 0, 150, 300));
    // Wide pictures fill the half's width and are centred vertically.
    EXPECT_EQ(spreadLeftRect(area, QSize(200, 100)), QRect(0, 100, 200, 100));
    EXPECT_EQ(spreadRightRect(area, QSize(200, 100)), QRect(200, 100, 200, 100));
    // An odd width: half = trunc(401 / 2), the offset of the area is kept.
    EXPECT_EQ(spreadRightRect(QRect(10, 5, 401, 300), QSize(3, 7)), QRect(210, 5, 128, 300));
    EXPECT_TRUE(singlePageRect(area, QSize()).isEmpty());
    EXPECT_EQ(previewStep(true), 2);
    EXPECT_EQ(previewStep(false), 1);
}
