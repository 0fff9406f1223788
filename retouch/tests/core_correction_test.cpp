// Column corrections: the per-pixel rule, curve changes and the offsets'
// spin arithmetic.
#include "core/columnimage.h"

#include "testimages.h"

#include <gtest/gtest.h>

#include <random>

using namespace retouch;
using retouchtest::gradient;

namespace {

// The rule pixel by pixel, as the text of the algorithm gives it.
cv::Vec3b expectedPixel(const uint8_t *source, const ColumnOffsets &o, int curve)
{
    const TransferTables &t = transferTables(curve);
    auto one = [&t](uint8_t v, int shift) {
        return t.encode[std::clamp(t.decode[v] + shift, 0, 255)];
    };
    return {one(source[0], o.all + o.b), one(source[1], o.all + o.g), one(source[2], o.all + o.r)};
}

cv::Vec3b pixel(const cv::Mat &image, int x, int y)
{
    const uint8_t *p = image.ptr<uint8_t>(y) + x * image.channels();
    return {p[0], p[1], p[2]};
}

ColumnOffsets offsets(int all, int r = 0, int g = 0, int b = 0)
{
    ColumnOffsets o;
    o.setValue(Channel::All, all);
    o.setValue(Channel::R, r);
    o.setValue(Channel::G, g);
    o.setValue(Channel::B, b);
    return o;
}

} // namespace

TEST(ColumnCorrection, NoCurveAddsAllToEveryChannelUpTo255)
{
    ColumnImage image;
    ASSERT_EQ(image.reset(gradient(16, 300)), ColumnImage::ResetResult::Ok);
    image.setCurve(0);
    image.setOffsets(5, offsets(10));
    for (int y = 0; y < image.height(); ++y) {
        const cv::Vec3b s = pixel(image.source(), 5, y);
        const cv::Vec3b e = pixel(image.edited(), 5, y);
        for (int c = 0; c < 3; ++c)
            ASSERT_EQ(e[c], std::min(s[c] + 10, 255)) << y;
        // Neighbouring columns stay as they were.
        ASSERT_EQ(pixel(image.edited(), 4, y), pixel(image.source(), 4, y));
        ASSERT_EQ(pixel(image.edited(), 6, y), pixel(image.source(), 6, y));
    }
}

TEST(ColumnCorrection, StandardCurveDarkensValue3ToBlack)
{
    cv::Mat source(4, 3, CV_8UC3, cv::Scalar::all(3));
    ColumnImage image;
    ASSERT_EQ(image.reset(source), ColumnImage::ResetResult::Ok);
    image.setCurve(4);
    image.setOffsets(1, offsets(-30));
    EXPECT_EQ(pixel(image.edited(), 1, 2), cv::Vec3b(0, 0, 0));
    EXPECT_EQ(pixel(image.edited(), 0, 2), cv::Vec3b(3, 3, 3));
}

TEST(ColumnCorrection, OffsetsStartFromTheSourceAndZeroLeavesTheRoundTrip)
{
    ColumnImage image;
    ASSERT_EQ(image.reset(gradient(8, 256)), ColumnImage::ResetResult::Ok);
    image.setCurve(4);
    image.setOffsets(2, offsets(10));
    image.setOffsets(2, offsets(20));
    const cv::Mat twice = image.edited().clone();
    image.setOffsets(2, offsets(20));
    EXPECT_EQ(cv::norm(twice, image.edited(), cv::NORM_INF), 0) << "offsets added up";

    image.setOffsets(2, offsets(0));
    const TransferTables &t = transferTables(4);
    int differs = 0;
    for (int y = 0; y < 256; ++y) {
        const cv::Vec3b s = pixel(image.source(), 2, y);
        const cv::Vec3b e = pixel(image.edited(), 2, y);
        for (int c = 0; c < 3; ++c) {
            ASSERT_EQ(e[c], t.encode[t.decode[s[c]]]);
            differs += e[c] != s[c];
        }
    }
    EXPECT_GT(differs, 0);
}

TEST(ColumnCorrection, CurveChangeRecorrectsOnlyColumnsWhoseOffsetsDoNotCancel)
{
    ColumnImage image;
    ASSERT_EQ(image.reset(gradient(8, 256)), ColumnImage::ResetResult::Ok);
    image.setCurve(4);
    image.setOffsets(1, offsets(5, -5, -5, -5)); // cancels
    image.setOffsets(2, offsets(0, 7));
    image.setOffsets(3, offsets(6));
    image.setOffsets(3, offsets(0)); // back to 0: the round trip of curve 4
    const cv::Mat before = image.edited().clone();

    image.setCurve(1);
    EXPECT_EQ(image.correctAllColumns(), 1);
    for (int y = 0; y < image.height(); ++y) {
        for (int x : {0, 1, 3, 4})
            ASSERT_EQ(pixel(image.edited(), x, y), pixel(before, x, y)) << x << "," << y;
        ASSERT_EQ(pixel(image.edited(), 2, y),
                  expectedPixel(image.source().ptr<uint8_t>(y) + 2 * 3, image.offsets(2), 1));
    }
}

// The row-wise table path against the per-pixel rule, on every curve, with a
// 4-channel picture whose alpha must come out opaque and untouched otherwise.
TEST(ColumnCorrection, AllColumnsEqualThePerPixelRuleOnEveryCurve)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> offset(-30, 30);
    cv::Mat source(64, 300, CV_8UC4);
    cv::randu(source, cv::Scalar::all(0), cv::Scalar::all(256));
    ColumnImage image;
    ASSERT_EQ(image.reset(source), ColumnImage::ResetResult::Ok);
    std::vector<ColumnOffsets> records(300);
    for (ColumnOffsets &o : records)
        o = offsets(offset(random), offset(random), offset(random), offset(random));
    records[10] = offsets(-30, -30, -30, -30);
    records[11] = offsets(30, 30, 30, 30);
    image.replaceOffsets(records);
    for (int curve = 0; curve < kCurveCount; ++curve) {
        SCOPED_TRACE(curve);
        image.setCurve(curve);
        image.correctAllColumns();
        for (int y = 0; y < source.rows; ++y) {
            const uint8_t *s = source.ptr<uint8_t>(y);
            const uint8_t *e = image.edited().ptr<uint8_t>(y);
            for (int x = 0; x < source.cols; ++x) {
                if (records[size_t(x)].cancels())
                    continue;
                const cv::Vec3b want = expectedPixel(s + 4 * x, records[size_t(x)], curve);
                ASSERT_EQ(cv::Vec3b(e[4 * x], e[4 * x + 1], e[4 * x + 2]), want) << x << "," << y;
                ASSERT_EQ(e[4 * x + 3], 255);
            }
        }
    }
    EXPECT_EQ(cv::norm(image.source(), source, cv::NORM_INF), 0) << "the source changed";
}

TEST(SpinSteps, MoveByLineAndPageWithinTheLimits)
{
    EXPECT_EQ(steppedOffset(0, SpinStep::LineUp), -1);
    EXPECT_EQ(steppedOffset(0, SpinStep::LineDown), 1);
    EXPECT_EQ(steppedOffset(0, SpinStep::PageUp), -4);
    EXPECT_EQ(steppedOffset(0, SpinStep::PageDown), 4);
    EXPECT_EQ(steppedOffset(-5, SpinStep::Top), 30);
    EXPECT_EQ(steppedOffset(5, SpinStep::Bottom), -30);
    EXPECT_EQ(steppedOffset(0, SpinStep::Position, 12), 12);
    EXPECT_EQ(steppedOffset(-30, SpinStep::LineUp), -30);
    EXPECT_EQ(steppedOffset(-28, SpinStep::PageUp), -30);
    EXPECT_EQ(steppedOffset(28, SpinStep::PageDown), 30);
    EXPECT_EQ(steppedOffset(0, SpinStep::Position, 99), 30);
    EXPECT_EQ(steppedOffset(0, SpinStep::Position, -99), -30);
}
