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

} // namespace leafreader
