#include "viewrender.h"

#include <algorithm>

namespace retouch {

namespace {

// What the inverting grey pen RGB(128, 128, 128) does to a pixel.
constexpr QRgb kInvertBits = 0x808080;

QRgb pixelAt(const uint8_t *row, int x, int channels)
{
    const uint8_t *p = row + size_t(x) * size_t(channels);
    return qRgb(p[2], p[1], p[0]);
}

void invert(QImage &canvas, int x, int y)
{
    if (x < 0 || y < 0 || x >= canvas.width() || y >= canvas.height())
        return;
    QRgb *line = reinterpret_cast<QRgb *>(canvas.scanLine(y));
    line[x] ^= kInvertBits;
}

// The picture index of a canvas offset from the centre, blocks of `size`
// pixels, rounding towards minus infinity.
int blockIndex(int offset, int size)
{
    return offset >= 0 ? offset / size : -((-offset + size - 1) / size);
}

void invertRect(QImage &canvas, int left, int top, int right, int bottom)
{
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            invert(canvas, x, y);
}

} // namespace

void paintMainView(QImage &canvas, const cv::Mat &picture, int x, int y)
{
    canvas.fill(kViewBackground);
    if (picture.empty() || canvas.isNull())
        return;
    const int cx = canvas.width() / 2;
    const int cy = canvas.height() / 2;
    const int channels = picture.channels();
    // Canvas point (px, py) shows picture pixel (px - cx + x, py - cy + y).
    const int left = std::max(0, cx - x);
    const int right = std::min(canvas.width(), cx - x + picture.cols);
    const int top = std::max(0, cy - y);
    const int bottom = std::min(canvas.height(), cy - y + picture.rows);
    for (int py = top; py < bottom; ++py) {
        const uint8_t *row = picture.ptr<uint8_t>(py - cy + y);
        QRgb *line = reinterpret_cast<QRgb *>(canvas.scanLine(py));
        for (int px = left; px < right; ++px)
            line[px] = pixelAt(row, px - cx + x, channels);
    }

    // The square's outline: columns and rows cx - 15 .. cx + 15.
    for (int i = -15; i <= 15; ++i) {
        invert(canvas, cx + i, cy - 15);
        invert(canvas, cx + i, cy + 15);
    }
    for (int i = -14; i <= 14; ++i) {
        invert(canvas, cx - 15, cy + i);
        invert(canvas, cx + 15, cy + i);
    }
    // The lines from 28 pixels out up to the square, its edge excluded.
    for (int i = 16; i <= 28; ++i) {
        invert(canvas, cx, cy - i);
        invert(canvas, cx, cy + i);
    }
}

void paintMagnifier(QImage &canvas, const cv::Mat &picture, int x, int y)
{
    canvas.fill(kViewBackground);
    if (picture.empty() || canvas.isNull())
        return;
    const int cx = canvas.width() / 2;
    const int cy = canvas.height() / 2;
    const int channels = picture.channels();
    for (int py = 0; py < canvas.height(); ++py) {
        const int iy = y + blockIndex(py - cy, kMagnification);
        if (iy < 0 || iy >= picture.rows)
            continue;
        const uint8_t *row = picture.ptr<uint8_t>(iy);
        QRgb *line = reinterpret_cast<QRgb *>(canvas.scanLine(py));
        for (int px = 0; px < canvas.width(); ++px) {
            const int ix = x + blockIndex(px - cx, kMagnification);
            if (ix >= 0 && ix < picture.cols)
                line[px] = pixelAt(row, ix, channels);
        }
    }
    // The marks over the centre column: 6 x 10 at the top and bottom edge.
    invertRect(canvas, cx, 0, cx + 5, 9);
    invertRect(canvas, cx, canvas.height() - 10, cx + 5, canvas.height() - 1);
}

} // namespace retouch
