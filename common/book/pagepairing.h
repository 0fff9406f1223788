#pragma once

#include <cstdint>

namespace kvb {

// The 0-based pages shown side by side: the left and the right slot, -1 for
// a slot that stays empty. One page at a time uses the left slot alone.
struct SpreadPages {
    int left = -1;
    int right = -1;
    bool operator==(const SpreadPages &) const = default;
};

// Shown as a spread: the PageSpread flag is set and the single-page override
// is off.
bool showsSpread(uint8_t layoutFlags, bool singlePage = false);

// Positions with the same spread index show the same pages, so a move between
// them needs no new pages: 0 for position 0; p - 1 one page at a time; in a
// spread p / 2 with a cover and (p - 1) / 2 without.
int spreadIndex(int position, uint8_t layoutFlags, bool singlePage = false);

// One step forward or back: 2 pages in a spread, 1 page at a time.
inline int pageStep(uint8_t layoutFlags, bool singlePage = false)
{
    return showsSpread(layoutFlags, singlePage) ? 2 : 1;
}

// The pages of one spread index in a book of pageCount pages. With a cover
// the first page stands alone and the pairs are (2,3), (4,5)...; without one
// (1,2), (3,4).... Right binding puts the higher page on the left, so the
// cover stands alone on the side on which the book opens. Indices outside
// the book leave their slot empty.
SpreadPages spreadPages(int spreadIndex, int pageCount, uint8_t layoutFlags, bool singlePage = false);

// The pages shown at 1-based position p.
inline SpreadPages pagesAt(int position, int pageCount, uint8_t layoutFlags, bool singlePage = false)
{
    return spreadPages(spreadIndex(position, layoutFlags, singlePage), pageCount, layoutFlags, singlePage);
}

// The layout flags of a folder previewed as a book: layout 1 single pages, 2
// a spread with a cover, 3 a spread without one; binding 0 right, 1 left.
uint8_t layoutFlagsFor(int layout, int binding);

} // namespace kvb
