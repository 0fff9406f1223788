#include "pageview/pairing.h"
#include "pageview/zoomnav.h"

#include "book/bookrecords.h"

#include <gtest/gtest.h>

#include <set>

using namespace leafreader;

namespace {

constexpr uint8_t kSpread = kvb::PageSpread;
constexpr uint8_t kCover = kvb::Cover;
constexpr uint8_t kRight = kvb::BindR;

std::set<int> visible(int p, int n, uint8_t flags, bool single)
{
    const SlotPages s = pairPages(p, flags, single);
    std::set<int> pages;
    if (pageInRange(s.left, n))
        pages.insert(s.left);
    if (pageInRange(s.right, n))
        pages.insert(s.right);
    return pages;
}

} // namespace

TEST(Pairing, StatedCases)
{
    // Cover, right binding: page 1 alone on the left; 2 and 3 as (3 | 2).
    EXPECT_EQ(pairPages(1, kSpread | kCover | kRight, false), (SlotPages{0, -1}));
    EXPECT_EQ(pairPages(2, kSpread | kCover | kRight, false), (SlotPages{2, 1}));
    EXPECT_EQ(pairPages(3, kSpread | kCover | kRight, false), (SlotPages{2, 1}));
    // Cover, left binding: page 1 alone on the right.
    EXPECT_EQ(pairPages(1, kSpread | kCover, false), (SlotPages{-1, 0}));
    EXPECT_EQ(pairPages(2, kSpread | kCover, false), (SlotPages{1, 2}));
    // No cover, left binding, 5 pages, p = 5: page 5 left, right slot out of range.
    const SlotPages last = pairPages(5, kSpread, false);
    EXPECT_EQ(last.left, 4);
    EXPECT_FALSE(pageInRange(last.right, 5));
    // No cover, right binding: (2 | 1).
    EXPECT_EQ(pairPages(1, kSpread | kRight, false), (SlotPages{1, 0}));
    EXPECT_EQ(pairPages(4, kSpread | kRight, false), (SlotPages{3, 2}));
    // The override and books without the spread flag: one page on the left.
    EXPECT_EQ(pairPages(7, kSpread | kCover | kRight, true), (SlotPages{6, -1}));
    EXPECT_EQ(pairPages(7, kCover | kRight, false), (SlotPages{6, -1}));
}

TEST(Pairing, EveryPositionShowsItsPageAndSpreadIndexMatchesThePages)
{
    for (int flags = 0; flags < 8; ++flags) {
        for (int single = 0; single < 2; ++single) {
            for (int n = 1; n <= 9; ++n) {
                for (int p = 1; p <= n; ++p) {
                    SCOPED_TRACE(testing::Message() << "flags " << flags << " single " << single
                                                    << " n " << n << " p " << p);
                    const auto pages = visible(p, n, uint8_t(flags), single);
                    EXPECT_TRUE(pages.count(p - 1));
                    const SlotPages s = pairPages(p, uint8_t(flags), single);
                    if (pageInRange(s.left, n) && pageInRange(s.right, n)) {
                        // Higher page on the left for right binding.
                        EXPECT_EQ(s.left > s.right, (flags & kRight) != 0);
                        EXPECT_EQ(std::abs(s.left - s.right), 1);
                    }
                    for (int q = 1; q <= n; ++q) {
                        const bool samePages = visible(q, n, uint8_t(flags), single) == pages;
                        const bool sameIndex = spreadIndex(q, uint8_t(flags), single)
                                               == spreadIndex(p, uint8_t(flags), single);
                        EXPECT_EQ(samePages, sameIndex) << "q " << q;
                    }
                }
            }
        }
    }
}

TEST(Pairing, FolderLayoutsPairAsBooks)
{
    // Layout 2 (cover), right binding: {1}, {2, 3}...; layout 3: {1, 2}...
    EXPECT_EQ(pairPages(3, layoutFlagsFor(2, 0), false), (SlotPages{2, 1}));
    EXPECT_EQ(pairPages(1, layoutFlagsFor(3, 1), false), (SlotPages{0, 1}));
    EXPECT_EQ(pairPages(4, layoutFlagsFor(1, 0), false), (SlotPages{3, -1}));
    EXPECT_FALSE(showsSpread(layoutFlagsFor(1, 1), false));
}

TEST(Pairing, SpreadIndexValues)
{
    EXPECT_EQ(spreadIndex(0, kSpread | kCover, false), 0);
    EXPECT_EQ(spreadIndex(1, kSpread | kCover, false), 0);
    EXPECT_EQ(spreadIndex(3, kSpread | kCover, false), 1);
    EXPECT_EQ(spreadIndex(1, kSpread, false), 0);
    EXPECT_EQ(spreadIndex(3, kSpread, false), 1);
    EXPECT_EQ(spreadIndex(5, 0, false), 4);
    EXPECT_EQ(spreadIndex(5, kSpread, true), 4);
}

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
