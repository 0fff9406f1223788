#pragma once

#include <QByteArray>
#include <QImage>

namespace benchpages {

// A page that looks like a scan of a text page at 300 dpi (A4, 2480 x 3508):
// off-white paper, a heading, lines of "text" and a picture block, slightly
// different per page.
QImage scanPage(int number);

// One of `distinct` scans as JPEG bytes (quality 85), encoded once each:
// encoding hundreds of full pages would cost more than the benchmarks.
QByteArray scanJpeg(int number, int distinct = 8);

} // namespace benchpages
