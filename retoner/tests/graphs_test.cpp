// The geometry and rules behind the colour and monochrome dialogs' graphs.
#include "core/backgroundpictures.h"
#include "core/colorgraphs.h"
#include "core/settingsfile.h"
#include "core/tonepipeline.h"

#include "qtprint.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace retoner;

namespace {

const QRect Graph(10, 10, 200, 100); // inner rectangle: centre (110, 60)

} // namespace

TEST(HueSaturationGraph, PointPositionsForHueAndSaturation)
{
    EXPECT_EQ(hsPosition(Graph, 0.0f, 0.0f), QPoint(110, 60));
    EXPECT_EQ(hsPosition(Graph, 0.0f, 1.0f), QPoint(210, 60));
    EXPECT_EQ(hsPosition(Graph, static_cast<float>(M_PI / 2), 0.5f), QPoint(110, 35)); // up: y falls
    EXPECT_EQ(hsPosition(Graph, static_cast<float>(M_PI), 0.75f), QPoint(35, 60));
    // trunc toward zero on both sides of the centre.
    EXPECT_EQ(hsPosition(Graph, static_cast<float>(M_PI / 6), 0.25f), QPoint(110 + 21, 60 - 6));
    EXPECT_EQ(hsPosition(Graph, static_cast<float>(7 * M_PI / 6), 0.25f), QPoint(110 - 21, 60 + 6));

    ControlPoint p;
    p.hue = 0.0f;
    p.saturation = 0.5f;
    p.hueShift = static_cast<float>(M_PI / 2);
    p.saturationShift = 0.5f;
    EXPECT_EQ(hsShiftEnd(Graph, p), QPoint(110, 10));
}

TEST(HueSaturationGraph, HitAtExactlyMPixelsButNotOneMore)
{
    const int m = 6;
    // The level's grey point lies at the centre and is tested first.
    EXPECT_EQ(hsHit(Graph, 2, QPoint(110 + 6, 60), m), (PointSelection{2, 0, 0}));
    EXPECT_FALSE(hsHit(Graph, 2, QPoint(110 + 7, 60), m));
    // Saturation 1, hue 0 at (210, 60); diagonal distance 3,4 -> 5 <= 6.
    EXPECT_EQ(hsHit(Graph, 3, QPoint(213, 64), m), (PointSelection{3, 4, 0}));
    EXPECT_EQ(hsHit(Graph, 3, QPoint(210, 66), m), (PointSelection{3, 4, 0}));
    EXPECT_FALSE(hsHit(Graph, 3, QPoint(210, 67), m));
    // Hue index 3 (90 degrees), saturation index 2 at (110, 35).
    EXPECT_EQ(hsHit(Graph, 1, QPoint(110, 35 - 6), m), (PointSelection{1, 2, 3}));
}

TEST(SaturationValueGraph, PositionsHitsAndShiftLines)
{
    const QRect r(5, 5, 100, 200); // bottom at 205
    EXPECT_EQ(svPosition(r, 0.0f, 0.0f), QPoint(5, 205));
    EXPECT_EQ(svPosition(r, 0.5f, 0.75f), QPoint(55, 55));
    const int m = 4;
    // Only level 3: the grey point, then the four coloured points of the hue.
    EXPECT_EQ(svHit(r, 7, QPoint(5 + 4, 55), m), (PointSelection{3, 0, 7}));
    EXPECT_EQ(svHit(r, 7, QPoint(80, 55 - 4), m), (PointSelection{3, 3, 7}));
    EXPECT_FALSE(svHit(r, 7, QPoint(80, 55 - 5), m));
    EXPECT_FALSE(svHit(r, 7, QPoint(55, 105), m)); // a level-2 point cannot be chosen here

    // A grey point's tint is projected onto the graph's hue.
    ControlPoint grey;
    grey.value = 0.5f;
    grey.hueShift = static_cast<float>(M_PI); // 180 degrees
    grey.saturationShift = 0.4f;
    grey.valueShift = 0.1f;
    EXPECT_EQ(svShiftEnd(r, grey, 6), QPoint(5 + 40, 205 - 120)); // the tint's own hue: all of it
    EXPECT_EQ(svShiftEnd(r, grey, 0), QPoint(5 - 40, 205 - 120)); // the opposite hue: negative
}

TEST(ColourDialogSelection, SelectPointMessagesFollowTheirRules)
{
    PointSelection selection; // level 3, grey point, hue 0
    // Nothing is taken while the correction is off.
    EXPECT_FALSE(takeSelection(selection, false, PointSelection{3, 2, 5}));
    EXPECT_EQ(selection, PointSelection{});
    // A coloured point: saturation, hue and level.
    EXPECT_TRUE(takeSelection(selection, true, PointSelection{2, 2, 5}));
    EXPECT_EQ(selection, (PointSelection{2, 2, 5}));
    EXPECT_EQ(pointIndex(selection), ColorCorrectionTable::colouredIndex(2, 2, 5));
    // The grey point keeps the hue, so the plane still shows it.
    EXPECT_TRUE(takeSelection(selection, true, PointSelection{3, 0, 9}));
    EXPECT_EQ(selection, (PointSelection{3, 0, 5}));
    EXPECT_EQ(pointIndex(selection), ColorCorrectionTable::greyIndex(3));

    ControlPoint p;
    EXPECT_EQ(markerIcon(p, false), IconPlain);
    EXPECT_EQ(markerIcon(p, true), IconSelected);
    p.valueShift = 0.01f;
    EXPECT_EQ(markerIcon(p, false), IconShifted);
    EXPECT_TRUE(isNeutralPoint(ColorCorrectionTable::blackIndex()));
    EXPECT_TRUE(isNeutralPoint(ColorCorrectionTable::greyIndex(4)));
    EXPECT_FALSE(isNeutralPoint(ColorCorrectionTable::colouredIndex(4, 1, 0)));
}

TEST(CarryOver, AnEditOfOneLevelReachesTheOthersInProportion)
{
    using T = ColorCorrectionTable;
    T table;
    ControlPoint &edited = table[T::colouredIndex(3, 2, 4)];
    edited.hueShift = 0.2f;
    edited.saturationShift = -0.1f;
    edited.valueShift = 0.3f;
    table[T::greyIndex(3)].hueShift = 1.5f;
    table[T::greyIndex(3)].saturationShift = 0.2f;
    table[T::greyIndex(3)].valueShift = 0.15f;
    table[T::colouredIndex(1, 1, 1)].valueShift = 0.4f; // overwritten by level 3's zero
    carryOverLevel(table, 3);

    EXPECT_FLOAT_EQ(table[T::colouredIndex(1, 2, 4)].valueShift, 0.1f);
    EXPECT_FLOAT_EQ(table[T::colouredIndex(4, 2, 4)].valueShift, 0.4f);
    EXPECT_FLOAT_EQ(table[T::colouredIndex(2, 2, 4)].valueShift, 0.2f);
    for (int level : {1, 2, 4}) {
        EXPECT_EQ(table[T::colouredIndex(level, 2, 4)].hueShift, 0.2f);
        EXPECT_EQ(table[T::colouredIndex(level, 2, 4)].saturationShift, -0.1f);
    }
    EXPECT_EQ(table[T::colouredIndex(1, 1, 1)].valueShift, 0.0f);
    EXPECT_EQ(table[T::colouredIndex(3, 2, 4)].valueShift, 0.3f);
    // The black point takes the grey tint without a value shift.
    EXPECT_EQ(table[T::blackIndex()].hueShift, 1.5f);
    EXPECT_EQ(table[T::blackIndex()].saturationShift, 0.2f);
    EXPECT_EQ(table[T::blackIndex()].valueShift, 0.0f);
}

// Carrying 0.45 from level 3 to level 4 gave 0.6, which a settings file
// refuses: the program could not read back what it had saved.
TEST(CarryOver, CarriedValueShiftsStayWithinWhatSettingsFilesAccept)
{
    ToneSettings settings;
    settings.correction[ColorCorrectionTable::colouredIndex(3, 1, 0)].valueShift = 0.45f;
    settings.correction[ColorCorrectionTable::greyIndex(3)].valueShift = -0.5f;
    carryOverLevel(settings.correction, 3);
    EXPECT_EQ(settings.correction[ColorCorrectionTable::colouredIndex(4, 1, 0)].valueShift, 0.5f);
    EXPECT_EQ(settings.correction[ColorCorrectionTable::greyIndex(4)].valueShift, -0.5f);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("carried.tnp"));
    ASSERT_EQ(writeSettingsFile(settings, path), SettingsWriteResult::Written);
    ToneSettings back;
    EXPECT_TRUE(readSettingsFile(back, path).ok());
}

TEST(ColourSamples, ChangedColourLimitsAndTheWarningSquare)
{
    ControlPoint p;
    p.hue = 0.0f;
    p.saturation = 0.75f;
    p.value = 0.5f;
    PointSamples s = pointSamples(p);
    EXPECT_EQ(s.original, QColor(127, 31, 31)); // trunc(x * 255)
    EXPECT_EQ(s.changed, s.original);
    EXPECT_FALSE(s.limited);

    p.saturationShift = 0.4f; // 1.15: limited to 1
    s = pointSamples(p);
    EXPECT_TRUE(s.limited);
    EXPECT_EQ(s.changed, QColor(127, 0, 0));
    p.saturationShift = 0.0f;
    p.valueShift = -0.5f; // exactly 0: no limit applied
    EXPECT_FALSE(pointSamples(p).limited);
    p.valueShift = -0.51f;
    EXPECT_TRUE(pointSamples(p).limited);
    // A hue shift past a full turn comes back into the circle.
    p.valueShift = 0.0f;
    p.hue = 6.0f;
    p.hueShift = 1.0f;
    EXPECT_EQ(pointSamples(p).changed, pointSamples(ControlPoint{0.7168147f, 0.75f, 0.5f, 0, 0, 0}).original);

    EXPECT_EQ(limitWarningRect(QRect(0, 0, 64, 48)), QRect(QPoint(4, 4), QPoint(16, 16)));
    EXPECT_EQ(limitWarningRect(QRect(100, 50, 32, 32)), QRect(QPoint(102, 52), QPoint(108, 58)));
}

TEST(LevelCurveGraph, StraightLineForBlack30White234Curve0)
{
    const QRectF r(0, 0, 255, 100); // bottom 100
    const std::vector<QPointF> points = levelCurve(r, 30, 234, 0);
    ASSERT_EQ(points.size(), 256u);
    EXPECT_EQ(points[0], QPointF(0, 99.5));
    EXPECT_EQ(points[30], QPointF(30, 99.5));
    EXPECT_NEAR(points[234].y(), -0.5, 1e-9); // the top
    EXPECT_NEAR(points[235].y(), 0.0, 1e-9);  // above white: height - 0.5
    for (int i = 31; i < 234; ++i) {
        const double expected = 99.5 - (i - 30) / 204.0 * 100.0;
        ASSERT_NEAR(points[i].y(), expected, 1e-9) << i;
        ASSERT_NEAR(points[i].x(), i, 1e-9);
    }
}

TEST(BackgroundPictures, SizesAndColoursFollowTheHsvRules)
{
    const BackgroundPictures &pictures = BackgroundPictures::instance();
    EXPECT_EQ(&pictures, &BackgroundPictures::instance()); // made once
    for (int level = 1; level <= 4; ++level)
        EXPECT_EQ(pictures.disc(level).size(), QSize(1001, 1001));
    for (int hue = 0; hue < 12; ++hue)
        EXPECT_EQ(pictures.plane(hue).size(), QSize(501, 1001));
    EXPECT_EQ(pictures.hueStrip().size(), QSize(1001, 1));
    EXPECT_EQ(pictures.barStrip().size(), QSize(512, 1));
    EXPECT_EQ(pictures.markers().size(), QSize(128, 32));

    // Disc of level 4 (value 1): centre white, rim at 0 degrees red (off the
    // guide ray), outside black; level 2 is half as bright.
    EXPECT_EQ(pictures.disc(4).pixelColor(500, 500), QColor(255, 255, 255));
    const QColor rim = pictures.disc(4).pixelColor(999, 504);
    EXPECT_EQ(rim.red(), 255);
    EXPECT_LT(rim.green() + rim.blue(), 10);
    EXPECT_EQ(pictures.disc(4).pixelColor(0, 0), QColor(0, 0, 0));
    EXPECT_EQ(pictures.disc(2).pixelColor(500, 500), QColor(127, 127, 127));
    const QColor up = pictures.disc(4).pixelColor(503, 50); // 90 degrees: hue of yellow-green
    EXPECT_GT(up.green(), up.blue());
    // Plane of hue 4 (120 degrees, green): top right full green, bottom black.
    EXPECT_EQ(pictures.plane(4).pixelColor(500, 0), QColor(0, 255, 0));
    EXPECT_EQ(pictures.plane(4).pixelColor(250, 1000), QColor(0, 0, 0));
    EXPECT_EQ(pictures.hueStrip().pixelColor(0, 0), QColor(255, 0, 0));
}

// The pictures scale one conversion per hue and saturation by the value;
// that must give the very bytes of the conversion itself.
TEST(BackgroundPictures, ScalingByValueGivesTheConversionsOwnBytes)
{
    const BackgroundPictures &pictures = BackgroundPictures::instance();
    for (int k : {0, 3, 7, 11})
        for (int y : {0, 137, 500, 999})
            for (int x : {0, 1, 250, 333, 500}) {
                const auto rgb = hsvToRgbBytes(k * (TwoPi / 12.0f), x / 500.0f, (1000 - y) / 1000.0f);
                ASSERT_EQ(pictures.plane(k).pixelColor(x, y), QColor(rgb[0], rgb[1], rgb[2])) << k << " " << x << " " << y;
            }
}
