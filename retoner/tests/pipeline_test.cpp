#include "core/tonepipeline.h"

#include <gtest/gtest.h>

#include <opencv2/imgproc.hpp>

using namespace retoner;

namespace {

cv::Mat noisePicture(int width, int height, int seed = 7)
{
    cv::Mat image(height, width, CV_8UC3);
    cv::RNG rng(seed);
    rng.fill(image, cv::RNG::UNIFORM, 0, 256);
    return image;
}

bool sameBytes(const cv::Mat &a, const cv::Mat &b)
{
    return a.size() == b.size() && a.type() == b.type() && cv::norm(a, b, cv::NORM_INF) == 0;
}

} // namespace

TEST(TargetSize, RatioModeRules)
{
    OutputParams out; // mode 1, 36 percent
    TargetSize t = targetSize(out, 1000, 500, 0, 0);
    EXPECT_EQ(t.kind, TargetSize::Resize);
    EXPECT_EQ(t.size, cv::Size(360, 180));

    out.ratioPercent = 100;
    EXPECT_EQ(targetSize(out, 1000, 500, 0, 0).kind, TargetSize::Unchanged);
    // Uniform size always resizes, also at 100 percent, to the average size.
    out.uniformSize = 1;
    t = targetSize(out, 1000, 500, 800, 600);
    EXPECT_EQ(t.kind, TargetSize::Resize);
    EXPECT_EQ(t.size, cv::Size(800, 600));
    out.ratioPercent = 50;
    EXPECT_EQ(targetSize(out, 1000, 500, 801, 603).size, cv::Size(400, 301));

    // 3 x 3 at 10 percent: both sides 0.
    out.uniformSize = 0;
    out.ratioPercent = 10;
    EXPECT_EQ(targetSize(out, 3, 3, 0, 0).kind, TargetSize::TooSmall);
    EXPECT_EQ(targetSize(out, 5, 100, 0, 0).kind, TargetSize::TooSmall);
}

TEST(TargetSize, FixedAndKeepModes)
{
    OutputParams out;
    out.resizeMode = FixedSize;
    out.width = 300;
    out.height = 200;
    EXPECT_EQ(targetSize(out, 300, 200, 0, 0).kind, TargetSize::Unchanged);
    const TargetSize t = targetSize(out, 301, 200, 0, 0);
    EXPECT_EQ(t.kind, TargetSize::Resize);
    EXPECT_EQ(t.size, cv::Size(300, 200));
    out.resizeMode = KeepSize;
    EXPECT_EQ(targetSize(out, 5, 5, 0, 0).kind, TargetSize::Unchanged);
}

TEST(ToneConvert, TooSmallLeavesDestinationUntouched)
{
    ToneSettings settings;
    settings.output.ratioPercent = 10;
    const cv::Mat tiny = noisePicture(3, 3);
    cv::Mat destination(2, 2, CV_8UC3, cv::Scalar(1, 2, 3));
    const uchar *before = destination.data;
    ColorLut lut;
    EXPECT_FALSE(toneConvert(settings, lut, tiny, destination, true, 0, 0));
    EXPECT_FALSE(toneConvert(settings, lut, tiny, destination, false, 0, 0));
    EXPECT_EQ(destination.data, before);
    EXPECT_EQ(destination.at<cv::Vec3b>(0, 0), cv::Vec3b(1, 2, 3));
}

TEST(ToneConvert, UniformSizeGivesEveryOutputTheAverageSize)
{
    ToneSettings settings;
    settings.output.ratioPercent = 100;
    settings.output.uniformSize = 1;
    ColorLut lut;
    cv::Mat result;
    ASSERT_TRUE(toneConvert(settings, lut, noisePicture(40, 30), result, true, 50, 20));
    EXPECT_EQ(result.size(), cv::Size(50, 20));
    ASSERT_TRUE(toneConvert(settings, lut, noisePicture(60, 10), result, false, 50, 20));
    EXPECT_EQ(result.size(), cv::Size(50, 20));
    EXPECT_EQ(result.type(), CV_8UC3);
}

TEST(LevelLut, EntriesAtTheStatedPoints)
{
    MonoParams mono;
    mono.curve = 0;
    const cv::Mat lut = makeLevelLut(mono);
    EXPECT_EQ(lut.at<uchar>(0, 0), 0);
    EXPECT_EQ(lut.at<uchar>(0, 30), 0);
    EXPECT_EQ(lut.at<uchar>(0, 31), 1);
    EXPECT_EQ(lut.at<uchar>(0, 234), 255);
    EXPECT_EQ(lut.at<uchar>(0, 235), 255);
    EXPECT_EQ(lut.at<uchar>(0, 132), 127); // 102/204 * 255 = 127.5

    // A positive curve lifts the middle (exponent 1/g below 1).
    mono.curve = 100;
    EXPECT_GT(makeLevelLut(mono).at<uchar>(0, 132), 127);

    // whiteLevel <= blackLevel: a hard threshold at blackLevel.
    mono.blackLevel = 100;
    mono.whiteLevel = 100;
    const cv::Mat hard = makeLevelLut(mono);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(hard.at<uchar>(0, i), i <= 100 ? 0 : 255) << i;
    mono.whiteLevel = 20;
    EXPECT_EQ(makeLevelLut(mono).at<uchar>(0, 100), 0);
    EXPECT_EQ(makeLevelLut(mono).at<uchar>(0, 101), 255);
}

TEST(Sharpen, IndexZeroOrStrengthZeroIsTheIdentity)
{
    const cv::Mat source = noisePicture(37, 23);
    cv::Mat result;
    sharpenImage(source, result, 0, 100);
    EXPECT_TRUE(sameBytes(source, result));
    for (int index = 1; index <= 4; ++index) {
        sharpenImage(source, result, index, 0);
        EXPECT_TRUE(sameBytes(source, result)) << index;
    }
    sharpenImage(source, result, 2, 40);
    EXPECT_FALSE(sameBytes(source, result));
}

TEST(Sharpen, UsesItsOwnSigmaAsOneKernel)
{
    // A single bright dot: the response at the centre is 1 + amount * (1 - G(0,0))
    // with the Gaussian of sigma 1.2 for the 5 x 5 kernel.
    cv::Mat dot(21, 21, CV_8UC1, cv::Scalar(0));
    dot.at<uchar>(10, 10) = 100;
    cv::Mat result;
    sharpenImage(dot, result, 2, 25); // amount 0.5
    const cv::Mat g = cv::getGaussianKernel(5, 1.2, CV_64F);
    const double centre = g.at<double>(2) * g.at<double>(2);
    EXPECT_EQ(result.at<uchar>(10, 10), cv::saturate_cast<uchar>(100 * (1 + 0.5 * (1 - centre))));
    // Next to the dot the kernel is negative: clipped to 0.
    EXPECT_EQ(result.at<uchar>(10, 11), 0);
}

TEST(ColorLut, AllZeroShiftsTruncateTo255Over256)
{
    ColorCorrectionTable table;
    ColorLut lut;
    buildColorLut(table, lut);
    ASSERT_TRUE(lut.isValid());

    cv::Mat ramp(3, 256, CV_8UC3);
    for (int p = 0; p < 256; ++p) {
        ramp.at<cv::Vec3b>(0, p) = cv::Vec3b(p, p, p);
        ramp.at<cv::Vec3b>(1, p) = cv::Vec3b(p, 255 - p, (p * 7) % 256);
        ramp.at<cv::Vec3b>(2, p) = cv::Vec3b((p * 13) % 256, p, 0);
    }
    const cv::Mat noise = noisePicture(64, 64);
    for (const cv::Mat *image : std::initializer_list<const cv::Mat *>{&ramp, &noise}) {
        cv::Mat result;
        applyColorLut(lut, *image, result);
        for (int y = 0; y < image->rows; ++y)
            for (int x = 0; x < image->cols; ++x)
                for (int c = 0; c < 3; ++c) {
                    const int p = image->at<cv::Vec3b>(y, x)[c];
                    ASSERT_EQ(result.at<cv::Vec3b>(y, x)[c], p * 255 / 256)
                        << "pixel " << x << "," << y << " channel " << c;
                }
    }
    cv::Mat white(1, 1, CV_8UC3, cv::Scalar::all(255));
    applyColorLut(lut, white, white); // in place
    EXPECT_EQ(white.at<cv::Vec3b>(0, 0), cv::Vec3b(254, 254, 254));
}

TEST(ColorLut, TintedGreyPointPullsNeutralGreysTowardRed)
{
    ColorCorrectionTable table;
    table[ColorCorrectionTable::greyIndex(2)].saturationShift = 0.1f; // value 0.5, hue 0
    ColorLut lut;
    buildColorLut(table, lut);

    cv::Mat greys(1, 3, CV_8UC3);
    greys.at<cv::Vec3b>(0, 0) = cv::Vec3b(128, 128, 128);
    greys.at<cv::Vec3b>(0, 1) = cv::Vec3b(112, 112, 112);
    greys.at<cv::Vec3b>(0, 2) = cv::Vec3b(0, 0, 0);
    cv::Mat result;
    applyColorLut(lut, greys, result);
    for (int x = 0; x < 2; ++x) {
        const cv::Vec3b bgr = result.at<cv::Vec3b>(0, x);
        EXPECT_GT(bgr[2], bgr[1] + 3) << x; // red above green
        EXPECT_NEAR(bgr[0], bgr[1], 1) << x; // blue and green stay together
    }
    // The grid entry at the grey point itself: red leads, value unchanged.
    const float *entry = lut.entry(16, 16, 16);
    EXPECT_GT(entry[0], entry[1]);
    EXPECT_NEAR(entry[0], 0.5f, 1e-5f);
    // Black stays black (far from the tinted point and value 0).
    EXPECT_EQ(result.at<cv::Vec3b>(0, 2), cv::Vec3b(0, 0, 0));
}

TEST(ColorLut, HueShiftRotatesColours)
{
    ColorCorrectionTable table;
    // Rotate every coloured point by +120 degrees: red turns toward green.
    for (int level = 1; level <= 4; ++level)
        for (int s = 1; s <= 4; ++s)
            for (int h = 0; h < 12; ++h)
                table[ColorCorrectionTable::colouredIndex(level, s, h)].hueShift = 2.0943952f;
    ColorLut lut;
    buildColorLut(table, lut);
    cv::Mat red(1, 1, CV_8UC3, cv::Scalar(0, 0, 255));
    applyColorLut(lut, red, red);
    const cv::Vec3b bgr = red.at<cv::Vec3b>(0, 0);
    EXPECT_GT(bgr[1], bgr[2]);
    EXPECT_GT(bgr[1], bgr[0]);
}

TEST(ToneConvert, MonoWithoutGrayscaleCurvesEveryChannel)
{
    ToneSettings settings;
    settings.mono.grayscale = 0;
    settings.mono.blurIndex = 0;
    settings.mono.sharpenIndex = 0;
    settings.output.resizeMode = KeepSize;
    const cv::Mat source = noisePicture(16, 8);
    ColorLut lut;
    cv::Mat result;
    ASSERT_TRUE(toneConvert(settings, lut, source, result, false, 0, 0));
    cv::Mat expected;
    cv::LUT(source, makeLevelLut(settings.mono), expected);
    EXPECT_TRUE(sameBytes(result, expected));

    // With grayscale on, the three output channels are equal.
    settings.mono.grayscale = 1;
    ASSERT_TRUE(toneConvert(settings, lut, source, result, false, 0, 0));
    ASSERT_EQ(result.type(), CV_8UC3);
    for (int y = 0; y < result.rows; ++y)
        for (int x = 0; x < result.cols; ++x) {
            const cv::Vec3b p = result.at<cv::Vec3b>(y, x);
            ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]);
        }
}

TEST(ToneConvert, ColourPathWithEverythingOffCopiesAndCorrectionNeedsTheTable)
{
    ToneSettings settings;
    settings.color = {0, 0, 40, 0};
    settings.output.resizeMode = KeepSize;
    const cv::Mat source = noisePicture(10, 10);
    cv::Mat result;
    ColorLut lut;
    ASSERT_TRUE(toneConvert(settings, lut, source, result, true, 0, 0));
    EXPECT_TRUE(sameBytes(source, result));
    EXPECT_NE(result.data, source.data);

    settings.color.correctionEnabled = 1;
    EXPECT_FALSE(toneConvert(settings, lut, source, result, true, 0, 0));
    buildColorLut(settings.correction, lut);
    ASSERT_TRUE(toneConvert(settings, lut, source, result, true, 0, 0));
    EXPECT_EQ(result.at<cv::Vec3b>(3, 4)[1], source.at<cv::Vec3b>(3, 4)[1] * 255 / 256);
}

// The chains built again from explicit OpenCV calls in their stated order and
// with their stated parameters. Comparing the program with its own pipeline
// could not catch a swapped blur and resize, another border mode, or cubic
// instead of Lanczos; these do.
namespace {

cv::Mat explicitSharpen(const cv::Mat &source, int k, int strength)
{
    const double sigma = 0.4 * 0.5 * (k - 1) + 0.4;
    const cv::Mat g = cv::getGaussianKernel(k, sigma, CV_64F);
    cv::Mat d = cv::Mat::zeros(k, k, CV_64F);
    d.at<double>(k / 2, k / 2) = 1.0;
    const cv::Mat kernel = d + (d - g * g.t()) * (strength / 50.0);
    cv::Mat out;
    cv::filter2D(source, out, -1, kernel, cv::Point(-1, -1), 0, cv::BORDER_REPLICATE);
    return out;
}

// Soft gradients with sharp edges and grain: every step of the chain leaves
// its mark, at the borders too.
cv::Mat chainInput()
{
    cv::Mat image = noisePicture(97, 61, 3);
    cv::GaussianBlur(image, image, cv::Size(3, 3), 0);
    cv::rectangle(image, cv::Rect(10, 8, 30, 20), cv::Scalar(250, 20, 90), cv::FILLED);
    cv::line(image, cv::Point(0, 60), cv::Point(96, 0), cv::Scalar(0, 255, 0), 2);
    return image;
}

} // namespace

TEST(ChainGolden, ColourChainIsBlurThenLanczosResizeThenTableThenSharpen)
{
    const cv::Mat source = chainInput();
    ToneSettings settings;
    settings.color = {3, 2, 70, 1}; // blur 7 x 7, sharpen 5 x 5 at 0.70
    settings.output.resizeMode = ScaleByRatio;
    settings.output.ratioPercent = 63;
    settings.correction[ColorCorrectionTable::colouredIndex(3, 2, 4)].hueShift = 0.5f;
    ColorLut lut;
    buildColorLut(settings.correction, lut);

    cv::Mat expected;
    cv::GaussianBlur(source, expected, cv::Size(7, 7), 0, 0, cv::BORDER_REPLICATE);
    cv::resize(expected, expected, cv::Size(97 * 63 / 100, 61 * 63 / 100), 0, 0, cv::INTER_LANCZOS4);
    applyColorLut(lut, expected, expected);
    expected = explicitSharpen(expected, 5, 70);

    cv::Mat result;
    ASSERT_TRUE(toneConvert(settings, lut, source, result, true, 0, 0));
    ASSERT_EQ(result.size(), cv::Size(61, 38));
    EXPECT_EQ(cv::norm(result, expected, cv::NORM_INF), 0);

    // Stored bytes of this chain without the table, so a change in the
    // building blocks themselves shows too.
    settings.color.correctionEnabled = 0;
    ASSERT_TRUE(toneConvert(settings, lut, source, result, true, 0, 0));
    EXPECT_EQ(result.at<cv::Vec3b>(0, 0), cv::Vec3b(84, 79, 107));
    EXPECT_EQ(result.at<cv::Vec3b>(10, 15), cv::Vec3b(250, 20, 90));
    EXPECT_EQ(result.at<cv::Vec3b>(37, 60), cv::Vec3b(149, 141, 124));
}

TEST(ChainGolden, MonoChainIsGreyThenLevelsThenBlurThenLanczosResizeThenSharpen)
{
    const cv::Mat source = chainInput();
    ToneSettings settings;
    settings.mono = {1, 40, 220, -30, 2, 3, 55}; // blur 5 x 5, sharpen 7 x 7 at 1.10
    settings.output.resizeMode = FixedSize;
    settings.output.width = 71;
    settings.output.height = 40;

    cv::Mat table(1, 256, CV_8U);
    const double g = std::pow(2.0, -30 / 100.0);
    for (int i = 0; i < 256; ++i)
        table.at<uchar>(0, i) = i <= 40    ? 0
                                : i > 220 ? 255
                                          : static_cast<uchar>(std::pow((i - 40) / 180.0, 1.0 / g) * 255.0);
    cv::Mat expected;
    cv::cvtColor(source, expected, cv::COLOR_BGR2GRAY);
    cv::LUT(expected, table, expected);
    cv::GaussianBlur(expected, expected, cv::Size(5, 5), 0, 0, cv::BORDER_REPLICATE);
    cv::resize(expected, expected, cv::Size(71, 40), 0, 0, cv::INTER_LANCZOS4);
    expected = explicitSharpen(expected, 7, 55);
    cv::cvtColor(expected, expected, cv::COLOR_GRAY2BGR);

    ColorLut lut;
    cv::Mat result;
    ASSERT_TRUE(toneConvert(settings, lut, source, result, false, 0, 0));
    ASSERT_EQ(result.size(), cv::Size(71, 40));
    EXPECT_EQ(cv::norm(result, expected, cv::NORM_INF), 0);
    EXPECT_EQ(result.at<cv::Vec3b>(0, 0)[0], 42);
    EXPECT_EQ(result.at<cv::Vec3b>(12, 20)[0], 24);
    EXPECT_EQ(result.at<cv::Vec3b>(39, 70)[0], 122);
}

TEST(HsvToRgb, SectorsGreyAndHuesOutOfRange)
{
    using Rgb = std::array<float, 3>;
    EXPECT_EQ(hsvToRgb(0.0f, 1.0f, 1.0f), (Rgb{1, 0, 0}));
    EXPECT_EQ(hsvToRgb(2.0943952f, 1.0f, 0.5f), (Rgb{0, 0.5f, 0})); // 120 degrees
    const Rgb blue = hsvToRgb(4.1887903f, 1.0f, 1.0f);                // 240 degrees
    EXPECT_NEAR(blue[0], 0, 1e-5);
    EXPECT_NEAR(blue[2], 1, 1e-6);
    EXPECT_EQ(hsvToRgb(3.0f, 0.0f, 0.25f), (Rgb{0.25f, 0.25f, 0.25f}));
    // Outside 0..5 the sector counts as 0; a hue that is not a number too.
    EXPECT_EQ(hsvToRgb(-1.0f, 1.0f, 1.0f)[0], 1.0f);
    EXPECT_EQ(hsvToRgb(1e30f, 1.0f, 1.0f)[0], 1.0f);
    EXPECT_EQ(hsvToRgb(std::nanf(""), 1.0f, 1.0f)[0], 1.0f);
    EXPECT_EQ(hsvToRgbBytes(1.0471976f, 0.5f, 1.0f), (std::array<uchar, 3>{255, 255, 127}));
}

// The batch converts with the source's pixels as working space, blurring
// them band by band; a band's edge rows or a short last band that came out
// otherwise than the whole picture's blur would change the batch's results.
TEST(ToneConvert, WorkingInTheSourcesPixelsGivesTheSameResult)
{
    ColorLut lut;
    ColorCorrectionTable table;
    table[ColorCorrectionTable::greyIndex(2)].saturationShift = 0.1f;
    buildColorLut(table, lut);
    // One band, just over one band, several bands with a short last one.
    for (const cv::Size size : {cv::Size(9, 5), cv::Size(37, 129), cv::Size(23, 300)}) {
        for (int blur = 0; blur <= 4; ++blur) {
            for (const bool isColor : {true, false}) {
                ToneSettings settings;
                settings.color = {blur, 2, 40, 1};
                settings.mono.blurIndex = blur;
                settings.mono.grayscale = blur % 2;
                settings.output.ratioPercent = 100 - 10 * blur;
                const cv::Mat source = noisePicture(size.width, size.height, blur);
                cv::Mat expected, result;
                ASSERT_TRUE(toneConvert(settings, lut, source, expected, isColor, 0, 0));
                cv::Mat consumed = source.clone();
                ASSERT_TRUE(toneConvert(settings, lut, std::move(consumed), result, isColor, 0, 0));
                EXPECT_TRUE(consumed.empty());
                EXPECT_TRUE(sameBytes(result, expected))
                    << size.width << " x " << size.height << " blur " << blur << (isColor ? " colour" : " mono");
            }
        }
    }
}
