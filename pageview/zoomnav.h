#pragma once

#include <functional>

namespace leafreader {

// Moves of the zoom region over the 3 x 3 grid (1..3 top row, 4..6 middle,
// 7..9 bottom; 0 = no zoom). Up and down leave the grid through a page move:
// the callbacks make the move and report whether the position changed.
// Each returns the new region.
int zoomUp(int zoom, const std::function<bool()> &previousPage);
int zoomDown(int zoom, const std::function<bool()> &nextPage);
int zoomLeft(int zoom);
int zoomRight(int zoom);

// The region a digit key gives, the digits laid out as a numeric pad: 7 8 9
// the top row (regions 1 2 3), 4 5 6 the middle, 1 2 3 the bottom (7 8 9);
// 0 gives 0, no zoom.
int keypadRegion(int digit);

} // namespace leafreader
