#pragma once

#include "bookentry.h"

#include <vector>

namespace leafreader {

// Sort modes of the folder and resume screens.
enum SortMode { SortByTitle = 0, SortByDateOldest = 1, SortByDateNewest = 2 };

// True when a comes before b in the given mode: titles in logical order
// (digit runs by value), dates as unsigned numbers so that rows without a
// date (-1) come last, ties by page.
bool rowLess(const BookEntry &a, const BookEntry &b, int mode);

// Stable sort of rows by a mode (a mode outside 0..2 sorts by title).
void sortRows(std::vector<BookEntry> &rows, int mode);
// The same for a view: indices into `rows`, sorted.
void sortRowIndices(const std::vector<BookEntry> &rows, std::vector<int> &indices, int mode);

} // namespace leafreader
