// Which pages a position shows: the reader's book view and the editor's
// preview pair pages by the same rule.
#include "book/bookrecords.h"
#include "book/pagepairing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

using namespace kvb;

namespace {

constexpr uint8_t kSpread = PageSpread;
constexpr uint8_t kCover = Cover;
constexpr uint8_t kRight = BindR;

// Large enough that no stated case runs past the last page.
constexpr int kLongBook = 99;

uint8_t flagsOf(bool spread, bool cover, bool right)
{
    return uint8_t((spread ? kSpread : 0) | (cover ? kCover : 0) | (right ? kRight : 0));
}

std::set<int> visible(int p, int n, uint8_t flags, bool single)
{
    const SpreadPages s = pagesAt(p, n, flags, single);
    std::set<int> pages;
    if (s.left >= 0)
        pages.insert(s.left);
    if (s.right >= 0)
        pages.insert(s.right);
    return pages;
}

} // namespace

TEST(PagePairing, ReaderStatedCases)
{
    // Cover, right binding: page 1 alone on the left; 2 and 3 as (3 | 2).
    EXPECT_EQ(pagesAt(1, kLongBook, kSpread | kCover | kRight), (SpreadPages{0, -1}));
    EXPECT_EQ(pagesAt(2, kLongBook, kSpread | kCover | kRight), (SpreadPages{2, 1}));
    EXPECT_EQ(pagesAt(3, kLongBook, kSpread | kCover | kRight), (SpreadPages{2, 1}));
    // Cover, left binding: page 1 alone on the right.
    EXPECT_EQ(pagesAt(1, kLongBook, kSpread | kCover), (SpreadPages{-1, 0}));
    EXPECT_EQ(pagesAt(2, kLongBook, kSpread | kCover), (SpreadPages{1, 2}));
    // No cover, left binding, 5 pages, p = 5: page 5 left, right slot empty.
    EXPECT_EQ(pagesAt(5, 5, kSpread), (SpreadPages{4, -1}));
    // No cover, right binding: (2 | 1).
    EXPECT_EQ(pagesAt(1, kLongBook, kSpread | kRight), (SpreadPages{1, 0}));
    EXPECT_EQ(pagesAt(4, kLongBook, kSpread | kRight), (SpreadPages{3, 2}));
    // The override and books without the spread flag: one page on the left.
    EXPECT_EQ(pagesAt(7, kLongBook, kSpread | kCover | kRight, true), (SpreadPages{6, -1}));
    EXPECT_EQ(pagesAt(7, kLongBook, kCover | kRight), (SpreadPages{6, -1}));
}

TEST(PagePairing, PreviewStatedCases)
{
    const auto at = [](int position, bool spread, bool cover, bool right, int count) {
        const uint8_t flags = flagsOf(spread, cover, right);
        return spreadPages(spreadIndex(position, flags), count, flags);
    };
    // Five pages, a cover, left binding: (none, 0), (1, 2), (3, 4).
    EXPECT_EQ(at(1, true, true, false, 5), (SpreadPages{-1, 0}));
    EXPECT_EQ(at(2, true, true, false, 5), (SpreadPages{1, 2}));
    EXPECT_EQ(at(3, true, true, false, 5), (SpreadPages{1, 2}));
    EXPECT_EQ(at(4, true, true, false, 5), (SpreadPages{3, 4}));
    EXPECT_EQ(at(5, true, true, false, 5), (SpreadPages{3, 4}));
    // Right binding mirrors them: (0, none), (2, 1), (4, 3).
    EXPECT_EQ(at(1, true, true, true, 5), (SpreadPages{0, -1}));
    EXPECT_EQ(at(3, true, true, true, 5), (SpreadPages{2, 1}));
    EXPECT_EQ(at(5, true, true, true, 5), (SpreadPages{4, 3}));
    // No cover, left binding: position 5 of five shows page 4 alone on the left.
    EXPECT_EQ(at(1, true, false, false, 5), (SpreadPages{0, 1}));
    EXPECT_EQ(at(5, true, false, false, 5), (SpreadPages{4, -1}));
    EXPECT_EQ(at(2, true, false, true, 5), (SpreadPages{1, 0}));
    // Single view shows the page itself; beyond the book nothing.
    EXPECT_EQ(at(3, false, true, true, 5), (SpreadPages{2, -1}));
    EXPECT_EQ(at(7, false, true, true, 5), (SpreadPages{-1, -1}));
    // Position 0 (a book without pages) shows nothing.
    EXPECT_EQ(at(0, true, true, false, 0), (SpreadPages{-1, -1}));
}

TEST(PagePairing, EveryPositionShowsItsPageAndSpreadIndexMatchesThePages)
{
    for (int flags = 0; flags < 8; ++flags) {
        for (int single = 0; single < 2; ++single) {
            for (int n = 1; n <= 9; ++n) {
                for (int p = 1; p <= n; ++p) {
                    SCOPED_TRACE(testing::Message() << "flags " << flags << " single " << single
                                                    << " n " << n << " p " << p);
                    const auto pages = visible(p, n, uint8_t(flags), single);
                    EXPECT_TRUE(pages.count(p - 1));
                    const SpreadPages s = pagesAt(p, n, uint8_t(flags), single);
                    if (s.left >= 0 && s.right >= 0) {
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

TEST(PagePairing, FolderLayoutsPairAsBooks)
{
    // Layout 2 (cover), right binding: {1}, {2, 3}...; layout 3: {1, 2}...
    EXPECT_EQ(pagesAt(3, kLongBook, layoutFlagsFor(2, 0)), (SpreadPages{2, 1}));
    EXPECT_EQ(pagesAt(1, kLongBook, layoutFlagsFor(3, 1)), (SpreadPages{0, 1}));
    EXPECT_EQ(pagesAt(4, kLongBook, layoutFlagsFor(1, 0)), (SpreadPages{3, -1}));
    EXPECT_FALSE(showsSpread(layoutFlagsFor(1, 1)));
}

TEST(PagePairing, SpreadIndexValues)
{
    EXPECT_EQ(spreadIndex(0, kSpread | kCover), 0);
    EXPECT_EQ(spreadIndex(1, kSpread | kCover), 0);
    EXPECT_EQ(spreadIndex(3, kSpread | kCover), 1);
    EXPECT_EQ(spreadIndex(1, kSpread), 0);
    EXPECT_EQ(spreadIndex(3, kSpread), 1);
    EXPECT_EQ(spreadIndex(5, 0), 4);
    EXPECT_EQ(spreadIndex(5, kSpread, true), 4);
    // A step moves to the next spread: 2 pages in a spread, else 1.
    EXPECT_EQ(pageStep(kSpread), 2);
    EXPECT_EQ(pageStep(kSpread, true), 1);
    EXPECT_EQ(pageStep(kCover | kRight), 1);
}
