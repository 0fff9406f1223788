// The preview: where the pages of a spread are drawn.
#include "core/previewlayout.h"

#include <gtest/gtest.h>

using namespace bindery;

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
}
