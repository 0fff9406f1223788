#pragma once

#include <cstdint>

namespace leafreader {

// The 0-based page indices shown in the left and right slot. An index below 0
// or at or beyond the page count leaves its slot empty.
struct SlotPages {
    int left = -1;
    int right = -1;
    bool operator==(const SlotPages &) const = default;
};

// Shown as a spread: the spread flag is set and the single-page override is off.
bool showsSpread(uint8_t layoutFlags, bool singlePage);

// The pages of 1-based position p. With a cover the first page stands alone
// and the pairs are (2,3), (4,5)...; without one (1,2), (3,4).... Right
// binding puts the higher page on the left.
SlotPages pairPages(int p, uint8_t layoutFlags, bool singlePage);

// Positions with the same spread index show the same pages.
int spreadIndex(int p, uint8_t layoutFlags, bool singlePage);

// The layout flags of a folder previewed as a book: layout 1 single pages, 2
// a spread with a cover, 3 a spread without one; binding 0 right, 1 left.
uint8_t layoutFlagsFor(int layout, int binding);

inline bool pageInRange(int index, int count) { return index >= 0 && index < count; }

} // namespace leafreader
