#pragma once

namespace glancer {

// Glancer's page moves. A position is the higher page of its spread after a
// move: layout 1 shows each page alone, layout 2 {1}, {2, 3}, {4, 5}...,
// layout 3 {1, 2}, {3, 4}.... n is the number of pages.

// The higher page of the following spread, at most n.
int nextPosition(int position, int pageCount, int layout);
// The higher page of the preceding spread, at least 1.
int previousPosition(int position, int layout);

// The layout a folder of n pages opens in: 1 for one page; 3 for two pages
// unless `layout2` is 1; otherwise `layout2`.
int openingLayout(int pageCount, int layout2);

} // namespace glancer
