#pragma once

#include <QImage>
#include <QRgb>

#include <opencv2/core.hpp>

namespace retouch {

inline constexpr QRgb kViewBackground = qRgb(64, 64, 64);
inline constexpr int kMagnification = 5;

// The two views, drawn into a canvas of the view's size (Format_RGB32). The
// picture is 8-bit blue-green-red or blue-green-red-alpha; its alpha is not
// shown, as the saved picture is opaque. An empty picture leaves the canvas
// background only, without marks.

// Main view: the picture at 1:1 with pixel (x, y) at the centre (width / 2,
// height / 2), and the marker, inverting the grey bit of what is under it: an
// unfilled 31 x 31 square around the centre and a 13-pixel line above and
// below it on the centre column.
void paintMainView(QImage &canvas, const cv::Mat &picture, int x, int y);

// Magnifier: every pixel as a 5 x 5 block, the block of pixel (x, y) starting
// at the centre; two inverted 6 x 10 marks at the top and bottom edge over
// that column.
void paintMagnifier(QImage &canvas, const cv::Mat &picture, int x, int y);

} // namespace retouch
