// The drawing of the main view and the magnifier.
#include "core/viewrender.h"

#include "testimages.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace retouch;

namespace {

QRgb shown(const cv::Mat &picture, int x, int y)
{
    const cv::Vec3b p = picture.at<cv::Vec3b>(y, x);
    return qRgb(p[2], p[1], p[0]);
}

} // namespace

TEST(MainView, CentresTheCursorPixelAndInvertsTheMarkerOnce)
{
    const cv::Mat picture = retouchtest::gradient(200, 150);
    QImage canvas(101, 81, QImage::Format_RGB32);
    paintMainView(canvas, picture, 30, 60);
    const int cx = 50, cy = 40;
    auto at = [&canvas](int x, int y) { return canvas.pixel(x, y) & 0xFFFFFF; };
    auto plain = [&picture, cx, cy](int px, int py) { return shown(picture, px - cx + 30, py - cy + 60) & 0xFFFFFF; };

    EXPECT_EQ(at(cx + 3, cy + 3), plain(cx + 3, cy + 3));
    EXPECT_EQ(at(cx, cy), plain(cx, cy));
    // Square corners and edges, each inverted exactly once.
    for (const QPoint p : {QPoint(cx - 15, cy - 15), QPoint(cx + 15, cy + 15), QPoint(cx, cy - 15),
                           QPoint(cx, cy + 15), QPoint(cx - 15, cy), QPoint(cx + 15, cy - 7)})
        EXPECT_EQ(at(p.x(), p.y()), plain(p.x(), p.y()) ^ 0x808080) << p.x() << "," << p.y();
    EXPECT_EQ(at(cx + 16, cy), plain(cx + 16, cy));
    // The lines run from 28 pixels out to the square.
    EXPECT_EQ(at(cx, cy - 16), plain(cx, cy - 16) ^ 0x808080);
    EXPECT_EQ(at(cx, cy + 28), plain(cx, cy + 28) ^ 0x808080);
    EXPECT_EQ(at(cx, cy - 29), plain(cx, cy - 29));
    // Left of the picture's first column: background.
    EXPECT_EQ(at(cx - 31, cy), kViewBackground & 0xFFFFFF);
    EXPECT_EQ(at(cx - 30, cy), plain(cx - 30, cy));

    QImage empty(40, 40, QImage::Format_RGB32);
    paintMainView(empty, cv::Mat(), 0, 0);
    EXPECT_EQ(empty.pixel(20, 5) & 0xFFFFFF, kViewBackground & 0xFFFFFF) << "no marker without a picture";
}

TEST(Magnifier, DrawsFiveByFiveBlocksFromTheCentreWithTwoMarks)
{
    const cv::Mat picture = retouchtest::gradient(60, 60);
    QImage canvas(205, 205, QImage::Format_RGB32);
    paintMagnifier(canvas, picture, 10, 30);
    const int cx = 102, cy = 102;
    auto at = [&canvas](int x, int y) { return canvas.pixel(x, y) & 0xFFFFFF; };
    // The picture pixel a canvas point shows: blocks start at the centre.
    auto plain = [&picture, cx, cy](int px, int py) {
        const int ix = 10 + int(std::floor((px - cx) / 5.0));
        const int iy = 30 + int(std::floor((py - cy) / 5.0));
        return shown(picture, ix, iy) & 0xFFFFFF;
    };
    EXPECT_EQ(at(cx, cy), shown(picture, 10, 30) & 0xFFFFFF);
    EXPECT_EQ(at(cx + 4, cy + 4), shown(picture, 10, 30) & 0xFFFFFF);
    EXPECT_EQ(at(cx + 5, cy), shown(picture, 11, 30) & 0xFFFFFF);
    EXPECT_EQ(at(cx - 1, cy - 1), shown(picture, 9, 29) & 0xFFFFFF);
    EXPECT_EQ(at(cx - 5, cy), shown(picture, 9, 30) & 0xFFFFFF);
    EXPECT_EQ(at(cx - 6, cy), shown(picture, 8, 30) & 0xFFFFFF);
    // Columns left of the picture: background.
    EXPECT_EQ(at(cx - 51, cy), kViewBackground & 0xFFFFFF);
    // The marks: 6 x 10 at the top and bottom edge from the centre column.
    for (const QPoint p : {QPoint(cx, 0), QPoint(cx + 5, 9), QPoint(cx + 2, 195), QPoint(cx + 5, 204)})
        EXPECT_EQ(at(p.x(), p.y()), plain(p.x(), p.y()) ^ 0x808080) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(cx + 6, 0), QPoint(cx - 1, 5), QPoint(cx, 10), QPoint(cx + 3, 194)})
        EXPECT_EQ(at(p.x(), p.y()), plain(p.x(), p.y())) << p.x() << "," << p.y();
}
