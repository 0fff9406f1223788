#include "pageview/zoomnav.h"

#include <gtest/gtest.h>

using namespace leafreader;

TEST(ZoomMoves, LeftRightStayInsideTheirRow)
{
    const int left[10] = {0, 1, 1, 2, 4, 4, 5, 7, 7, 8};
    const int right[10] = {0, 2, 3, 3, 5, 6, 6, 8, 9, 9};
    for (int z = 0; z <= 9; ++z) {
        EXPECT_EQ(zoomLeft(z), left[z]) << z;
        EXPECT_EQ(zoomRight(z), right[z]) << z;
    }
}

TEST(ZoomMoves, UpAndDownTurnPagesAtTheGridEdges)
{
    int calls = 0;
    const auto moved = [&] { ++calls; return true; };
    const auto stuck = [&] { ++calls; return false; };
    // No zoom: a plain page move.
    EXPECT_EQ(zoomUp(0, moved), 0);
    EXPECT_EQ(zoomDown(0, moved), 0);
    EXPECT_EQ(calls, 2);
    // Top row up: previous page, then the bottom row of the same column.
    EXPECT_EQ(zoomUp(2, moved), 8);
    EXPECT_EQ(zoomUp(2, stuck), 2);
    // Bottom row down: next page, then the top row.
    EXPECT_EQ(zoomDown(9, moved), 3);
    EXPECT_EQ(zoomDown(7, stuck), 7);
    calls = 0;
    // Inner moves never turn a page.
    EXPECT_EQ(zoomUp(5, moved), 2);
    EXPECT_EQ(zoomUp(8, moved), 5);
    EXPECT_EQ(zoomDown(1, moved), 4);
    EXPECT_EQ(zoomDown(6, moved), 9);
    EXPECT_EQ(calls, 0);
}
