#include "pageview/bookpainter.h"
#include "pageview/pagelayout.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace leafreader;

namespace {

LayoutInput single(Box client, QSize image)
{
    LayoutInput in;
    in.client = client;
    in.leftImage = image;
    return in;
}

// Area of the client covered by the pictures and the grey strips together.
int64_t coveredArea(const PageLayout &layout, const Box &client)
{
    QRegion covered;
    for (const PictureDraw &p : layout.pictures)
        covered += QRegion(p.target.toRect()).intersected(client.toRect());
    for (const Box &b : layout.background)
        covered += QRegion(b.toRect());
    int64_t area = 0;
    for (const QRect &r : covered)
        area += int64_t(r.width()) * r.height();
    return area;
}

} // namespace

TEST(PageLayout, SmallPageIsNotEnlargedUnlessAsked)
{
    const Box client{0, 0, 1200, 900};
    PageLayout layout = computeLayout(single(client, {600, 800}));
    ASSERT_EQ(layout.pictures.size(), 1u);
    EXPECT_EQ(layout.pictures[0].target, (Box{300, 50, 900, 850}));
    EXPECT_EQ(coveredArea(layout, client), 1200 * 900);
    EXPECT_EQ(layout.background.size(), 4u); // the strips around it

    LayoutInput in = single(client, {600, 800});
    in.enlarge = true;
    layout = computeLayout(in);
    EXPECT_EQ(layout.pictures[0].target, (Box{262, 0, 937, 900}));
}

TEST(PageLayout, FittingRule)
{
    // Width-limited and height-limited, fractions cut off.
    EXPECT_EQ(fittedSize({3000, 1000}, {1000, 1000}, false), QSize(1000, 333));
    EXPECT_EQ(fittedSize({1000, 3000}, {1000, 1000}, false), QSize(333, 1000));
    // Large enough in the limiting direction only counts.
    EXPECT_EQ(fittedSize({500, 1000}, {1000, 800}, false), QSize(400, 800));
    EXPECT_EQ(fittedSize({500, 700}, {1000, 800}, false), QSize(500, 700));
    EXPECT_EQ(fittedSize({500, 700}, {1000, 800}, true), QSize(571, 800));
}

TEST(PageLayout, SpreadHalvesLieAgainstTheGap)
{
    LayoutInput in;
    in.client = {0, 0, 1010, 700};
    in.spread = true;
    in.space = 10;
    in.leftImage = {1000, 1400};
    in.rightImage = {1000, 1400};
    const PageLayout layout = computeLayout(in);
    ASSERT_EQ(layout.areas.size(), 2u);
    EXPECT_EQ(layout.areas[0], (Box{0, 0, 500, 700}));
    EXPECT_EQ(layout.areas[1], (Box{510, 0, 1010, 700}));
    ASSERT_EQ(layout.pictures.size(), 2u);
    EXPECT_EQ(layout.pictures[0].target.right, 500);
    EXPECT_EQ(layout.pictures[1].target.left, 510);
    EXPECT_EQ(layout.pictures[0].target.width(), 500);
    EXPECT_EQ(layout.pictures[0].target.height(), 700);
    // The gap itself is grey.
    bool gapGrey = false;
    for (const Box &b : layout.background)
        gapGrey |= b.left <= 500 && b.right >= 510 && b.top == 0 && b.bottom == 700;
    EXPECT_TRUE(gapGrey);
    EXPECT_EQ(coveredArea(layout, in.client), 1010 * 700);
}

TEST(PageLayout, CoverOfRightBoundSpreadLeavesTheRightHalfGrey)
{
    LayoutInput in;
    in.client = {0, 0, 1000, 600};
    in.spread = true;
    in.leftImage = {400, 600};
    const PageLayout layout = computeLayout(in);
    ASSERT_EQ(layout.pictures.size(), 1u);
    EXPECT_TRUE(layout.pictures[0].leftSlotImage);
    EXPECT_EQ(layout.pictures[0].target, (Box{100, 0, 500, 600}));
    EXPECT_EQ(coveredArea(layout, in.client), 1000 * 600);
}

TEST(PageLayout, ZoomRegionsAndVirtualArea)
{
    const Box client{0, 0, 1000, 800};
    EXPECT_EQ(zoomArea(client, 5), (Box{-500, -400, 1500, 1200}));
    EXPECT_EQ(zoomArea(client, 1), (Box{0, 0, 2000, 1600}));
    EXPECT_EQ(zoomArea(client, 3), (Box{-1000, 0, 1000, 1600}));
    EXPECT_EQ(zoomArea(client, 7), (Box{0, -800, 2000, 800}));
    EXPECT_EQ(zoomArea(client, 9), (Box{-1000, -800, 1000, 800}));
    EXPECT_EQ(zoomArea(client, 0), client);
    // An unknown region doubles on the client itself.
    EXPECT_EQ(zoomArea(client, 12), client);
    EXPECT_EQ(zoomFactor(12), 2);

    // A picture filling V shows the middle half of each direction.
    LayoutInput in = single(client, {1000, 800});
    in.zoom = 5;
    const PageLayout layout = computeLayout(in);
    EXPECT_EQ(layout.pictures[0].target, (Box{-500, -400, 1500, 1200}));
    EXPECT_TRUE(layout.background.empty());
    // The gap doubles with the zoom.
    in.spread = true;
    in.space = 10;
    in.rightImage = in.leftImage;
    const PageLayout spread = computeLayout(in);
    EXPECT_EQ(spread.areas[1].left - spread.areas[0].right, 20);
}

TEST(PageLayout, RotatedSpreadStacksTheHalves)
{
    LayoutInput in;
    in.client = {0, 0, 800, 1000};
    in.spread = true;
    in.space = 0;
    in.leftImage = {1400, 1000}; // a landscape picture, upright
    in.rightImage = {1400, 1000};
    in.rotation = 1;
    PageLayout layout = computeLayout(in);
    ASSERT_EQ(layout.areas.size(), 2u);
    EXPECT_EQ(layout.areas[0], (Box{0, 0, 800, 500}));
    EXPECT_EQ(layout.areas[1], (Box{0, 500, 800, 1000}));
    // r = 1: left-slot picture in the upper half, lying on the gap, turned
    // (drawn 1000 x 1400 scaled into 800 x 500: height-limited 357 x 500).
    ASSERT_EQ(layout.pictures.size(), 2u);
    EXPECT_TRUE(layout.pictures[0].leftSlotImage);
    EXPECT_EQ(layout.pictures[0].target, (Box{221, 0, 578, 500}));
    EXPECT_EQ(layout.pictures[1].target.top, 500);
    // r = 3: the left-slot picture goes to the lower half.
    in.rotation = 3;
    layout = computeLayout(in);
    EXPECT_EQ(layout.leftImageSlot, 1);
    EXPECT_EQ(layout.pictures[0].target.top, 500);
    // r = 2: the left-slot picture on the right.
    in.rotation = 2;
    layout = computeLayout(in);
    EXPECT_EQ(layout.leftImageSlot, 1);
    EXPECT_GE(layout.pictures[0].target.left, 400);
    // Decode boxes come back upright.
    in.rotation = 1;
    EXPECT_EQ(decodeBox(in, true), QSize(500, 800));
}

TEST(PageLayout, PictureTransformTurnsCorners)
{
    const QSize picture(40, 20);
    const Box target{100, 200, 120, 240}; // 20 x 40 on screen after a quarter turn
    QTransform t = pictureTransform(picture, target, 1);
    EXPECT_EQ(t.map(QPointF(0, 0)), QPointF(120, 200));  // top-left -> top-right
    EXPECT_EQ(t.map(QPointF(40, 0)), QPointF(120, 240)); // top-right -> bottom-right
    EXPECT_EQ(t.map(QPointF(0, 20)), QPointF(100, 200)); // bottom-left -> top-left
    t = pictureTransform(picture, target, 3);
    EXPECT_EQ(t.map(QPointF(0, 0)), QPointF(100, 240));
    EXPECT_EQ(t.map(QPointF(40, 0)), QPointF(100, 200));
    EXPECT_EQ(t.map(QPointF(0, 20)), QPointF(120, 240));
    t = pictureTransform(picture, Box{0, 0, 80, 40}, 2);
    EXPECT_EQ(t.map(QPointF(0, 0)), QPointF(80, 40));
}

TEST(BookPainter, PaintsRotatedPictureAndGrey)
{
    // Red top-left corner turned clockwise lands at the top-right.
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            picture.setPixel(x, y, qRgb(255, 0, 0));
    LayoutInput in = single({0, 0, 100, 100}, picture.size());
    in.rotation = 1;
    in.enlarge = true;
    const PageLayout layout = computeLayout(in);
    QImage out(100, 100, QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter painter(&out);
    BookPainter bookPainter;
    bookPainter.paint(painter, layout, picture, {}, 1);
    painter.end();
    // Target 50 x 100 centred: x 25..75.
    EXPECT_EQ(layout.pictures[0].target, (Box{25, 0, 75, 100}));
    EXPECT_EQ(qRed(out.pixel(72, 3)), 255);
    EXPECT_EQ(qGreen(out.pixel(72, 3)), 0);
    EXPECT_EQ(out.pixel(27, 3), qRgb(255, 255, 255));
    EXPECT_EQ(out.pixel(5, 50), qRgb(kPageGrey, kPageGrey, kPageGrey));
    EXPECT_EQ(out.pixel(95, 50), qRgb(kPageGrey, kPageGrey, kPageGrey));

    // On a device of twice the density the picture keeps its device pixels:
    // a one-pixel checker survives instead of being averaged to grey.
    QImage checker(200, 200, QImage::Format_RGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            checker.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const PageLayout flat = computeLayout(single({0, 0, 100, 100}, checker.size()));
    QImage dense(200, 200, QImage::Format_RGB32);
    dense.setDevicePixelRatio(2.0);
    QPainter densePainter(&dense);
    BookPainter densePages;
    densePages.paint(densePainter, flat, checker, {}, 0);
    densePainter.end();
    EXPECT_EQ(dense.pixel(50, 50), checker.pixel(50, 50));
    EXPECT_EQ(dense.pixel(51, 50), checker.pixel(51, 50));
}
