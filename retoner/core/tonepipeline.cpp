#include "tonepipeline.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace retoner {

namespace {

struct Displacement {
    float x, y, z;    // position in Cartesian form
    float dx, dy, dz; // where the point moves
    float pull;       // magnitude + 1
};

} // namespace

float wrapHue(float angle)
{
    // Far out of range the turns are taken at once, so the loops stay short.
    if (!std::isfinite(angle))
        return 0.0f;
    if (std::abs(angle) > 64 * TwoPi)
        angle = std::fmod(angle, TwoPi);
    while (angle >= TwoPi)
        angle -= TwoPi;
    while (angle < 0.0f)
        angle += TwoPi;
    return angle;
}

std::array<float, 3> hsvToRgb(float hue, float saturation, float value)
{
    std::array<float, 3> rgb;
    rgb[0] = rgb[1] = rgb[2] = value;
    if (!(saturation > 0.0f))
        return rgb;
    const float a = hue * 0.95492965f;
    const float c = std::floor(a);
    const float f = a - c;
    const float p = value * (1.0f - saturation);
    const float q = value * (1.0f - f * saturation);
    const float t = value * (1.0f - (1.0f - f) * saturation);
    // Also keeps a hue far out of range (or not a number) from the conversion to int.
    const int sector = c >= 0.0f && c < 6.0f ? static_cast<int>(c) : 0;
    switch (sector) {
    case 1: rgb[0] = q; rgb[1] = value; rgb[2] = p; break;
    case 2: rgb[0] = p; rgb[1] = value; rgb[2] = t; break;
    case 3: rgb[0] = p; rgb[1] = q; rgb[2] = value; break;
    case 4: rgb[0] = t; rgb[1] = p; rgb[2] = value; break;
    case 5: rgb[0] = value; rgb[1] = p; rgb[2] = q; break;
    default: rgb[0] = value; rgb[1] = t; rgb[2] = p; break;
    }
    return rgb;
}

std::array<uchar, 3> hsvToRgbBytes(float hue, float saturation, float value)
{
    const std::array<float, 3> rgb = hsvToRgb(hue, saturation, value);
    return {static_cast<uchar>(rgb[0] * 255.0f), static_cast<uchar>(rgb[1] * 255.0f),
            static_cast<uchar>(rgb[2] * 255.0f)};
}

void buildColorLut(const ColorCorrectionTable &table, ColorLut &lut)
{
    constexpr int N = ColorCorrectionTable::PointCount;
    Displacement points[N];
    for (int i = 0; i < N; ++i) {
        const ControlPoint &cp = table[i];
        Displacement &d = points[i];
        d.x = cp.saturation * std::cos(cp.hue);
        d.y = cp.saturation * std::sin(cp.hue);
        d.z = cp.value;
        const float hue = wrapHue(cp.hue + cp.hueShift);
        const float saturation = cp.saturation + cp.saturationShift;
        d.dx = saturation * std::cos(hue) - d.x;
        d.dy = saturation * std::sin(hue) - d.y;
        d.dz = cp.valueShift;
        d.pull = std::sqrt(d.dx * d.dx + d.dy * d.dy + d.dz * d.dz) + 1.0f;
    }

    lut.m_values.assign(ColorLut::Stride * ColorLut::EntryCount, 0.0f);
    constexpr int G = ColorLut::Grid;
    // Every entry stands on its own, so the threads give the same table.
#pragma omp parallel for schedule(static)
    for (int bg = 0; bg < G * G; ++bg) {
        const int b = bg / G;
        const int g = bg % G;
        for (int r = 0; r < G; ++r) {
            const float blue = b * 0.03125f;
            const float green = g * 0.03125f;
            const float red = r * 0.03125f;
            const float maxc = std::max(red, std::max(green, blue));
            const float minc = std::min(red, std::min(green, blue));
            const float delta = maxc - minc;
            float h6 = 0.0f;
            if (delta > 0.0f) {
                if (red == maxc) {
                    h6 = (green - blue) / delta;
                    if (h6 < 0.0f)
                        h6 += 6.0f;
                } else if (green == maxc) {
                    h6 = (blue - red) / delta + 2.0f;
                } else {
                    h6 = (red - green) / delta + 4.0f;
                }
            }
            const float s = maxc != 0.0f ? delta / maxc : 0.0f;
            const float h = h6 * 1.0471976f;
            const float X = s * std::cos(h);
            const float Y = s * std::sin(h);
            const float Z = maxc;

            float sw = 0.0f, swx = 0.0f, swy = 0.0f, swz = 0.0f;
            for (int i = 0; i < N; ++i) {
                const Displacement &d = points[i];
                const float ex = d.x - X;
                const float ey = d.y - Y;
                const float ez = d.z - Z;
                const float root = d.pull / (ex * ex + ey * ey + ez * ez + 0.02f);
                const float w = root * root;
                sw += w;
                swx += w * d.dx;
                swy += w * d.dy;
                swz += w * d.dz;
            }
            float x2 = X + swx / sw;
            float y2 = Y + swy / sw;
            float z2 = Z + swz / sw;
            float radius2 = x2 * x2 + y2 * y2;
            if (radius2 > 1.0f) {
                const float radius = std::sqrt(radius2);
                x2 /= radius;
                y2 /= radius;
            }
            float hue = std::atan2(y2, x2);
            if (hue < 0.0f)
                hue += TwoPi;
            const float saturation = std::sqrt(x2 * x2 + y2 * y2);
            z2 = std::clamp(z2, 0.0f, 1.0f);
            const std::array<float, 3> rgb = hsvToRgb(hue, saturation, z2);
            std::copy(rgb.begin(), rgb.end(), lut.m_values.data() + ColorLut::Stride * (bg * G + r));
        }
    }
}

namespace {

// Four floats in one SSE register; every lane does the same single-precision
// operations as scalar code would, so the results are the same.
typedef float Float4 __attribute__((vector_size(16)));

inline Float4 load4(const float *p)
{
    Float4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline Float4 lerp(Float4 a, Float4 b, float f)
{
    return a + (b - a) * f;
}

inline uchar toByte(float v)
{
    return static_cast<uchar>(std::clamp(static_cast<double>(v) * 255.0, 0.0, 255.0));
}

} // namespace

void applyColorLut(const ColorLut &lut, const cv::Mat &source, cv::Mat &destination)
{
    CV_Assert(source.type() == CV_8UC3 && lut.isValid());
    // Keeps the buffer when destination already has this size and type, so
    // destination may be source.
    destination.create(source.size(), CV_8UC3);
    const float *table = lut.entry(0);
    constexpr int G = ColorLut::Grid;
    constexpr int S = ColorLut::Stride;
    constexpr int StepR = S;
    constexpr int StepG = S * G;
    constexpr int StepB = S * G * G;
    const int rows = source.rows;
    const int columns = source.cols;

#pragma omp parallel for schedule(static)
    for (int y = 0; y < rows; ++y) {
        const uchar *in = source.ptr<uchar>(y);
        uchar *out = destination.ptr<uchar>(y);
        for (int x = 0; x < columns; ++x, in += 3, out += 3) {
            const int B = in[0], Gr = in[1], R = in[2];
            // Grid coordinate byte / 8: index byte >> 3, fraction (byte & 7) / 8.
            const float fb = (B & 7) * 0.125f;
            const float fg = (Gr & 7) * 0.125f;
            const float fr = (R & 7) * 0.125f;
            const float *p = table + StepB * (B >> 3) + StepG * (Gr >> 3) + StepR * (R >> 3);
            const Float4 c00 = lerp(load4(p), load4(p + StepR), fr);
            const Float4 c01 = lerp(load4(p + StepG), load4(p + StepG + StepR), fr);
            const Float4 c10 = lerp(load4(p + StepB), load4(p + StepB + StepR), fr);
            const Float4 c11 = lerp(load4(p + StepB + StepG), load4(p + StepB + StepG + StepR), fr);
            const Float4 c0 = lerp(c00, c01, fg);
            const Float4 c1 = lerp(c10, c11, fg);
            const Float4 rgb = lerp(c0, c1, fb);
            // The entry is red, green, blue; the image is blue, green, red.
            out[0] = toByte(rgb[2]);
            out[1] = toByte(rgb[1]);
            out[2] = toByte(rgb[0]);
        }
    }
}

void sharpenImage(const cv::Mat &source, cv::Mat &destination, int sharpenIndex, int strength)
{
    const int k = kernelSizeForIndex(sharpenIndex);
    if (k == 0) {
        source.copyTo(destination);
        return;
    }
    const double sigma = 0.4 * 0.5 * (k - 1) + 0.4;
    const cv::Mat g = cv::getGaussianKernel(k, sigma, CV_64F);
    const cv::Mat gauss = g * g.t();
    cv::Mat delta = cv::Mat::zeros(k, k, CV_64F);
    delta.at<double>(k / 2, k / 2) = 1.0;
    const cv::Mat kernel = delta + (delta - gauss) * (strength / 50.0);
    cv::Mat result;
    cv::filter2D(source, result, -1, kernel, cv::Point(-1, -1), 0, cv::BORDER_REPLICATE);
    destination = result;
}

void blurImage(const cv::Mat &source, cv::Mat &destination, int blurIndex)
{
    const int k = kernelSizeForIndex(blurIndex);
    if (k == 0) {
        source.copyTo(destination);
        return;
    }
    cv::Mat result;
    cv::GaussianBlur(source, result, cv::Size(k, k), 0, 0, cv::BORDER_REPLICATE);
    destination = result;
}

cv::Mat makeLevelLut(const MonoParams &params)
{
    cv::Mat lut(1, 256, CV_8U);
    const double gamma = std::pow(2.0, params.curve / 100.0);
    const int black = params.blackLevel;
    const int white = params.whiteLevel;
    for (int i = 0; i < 256; ++i) {
        uchar entry;
        if (i <= black)
            entry = 0;
        else if (i > white)
            entry = 255;
        else
            entry = static_cast<uchar>(std::pow((i - black) / static_cast<double>(white - black),
                                                1.0 / gamma)
                                       * 255.0);
        lut.at<uchar>(0, i) = entry;
    }
    return lut;
}

TargetSize targetSize(const OutputParams &output, int columns, int rows, int averageWidth,
                      int averageHeight)
{
    TargetSize target;
    if (output.resizeMode == ScaleByRatio) {
        long long w, h;
        if (output.uniformSize) {
            w = static_cast<long long>(output.ratioPercent) * averageWidth / 100;
            h = static_cast<long long>(output.ratioPercent) * averageHeight / 100;
        } else {
            if (output.ratioPercent == 100)
                return target;
            w = static_cast<long long>(output.ratioPercent) * columns / 100;
            h = static_cast<long long>(output.ratioPercent) * rows / 100;
        }
        if (w < 1 || h < 1 || w > INT_MAX || h > INT_MAX) {
            target.kind = TargetSize::TooSmall;
            return target;
        }
        target.kind = TargetSize::Resize;
        target.size = cv::Size(static_cast<int>(w), static_cast<int>(h));
    } else if (output.resizeMode == FixedSize) {
        if (output.width == columns && output.height == rows)
            return target;
        // The settings limit the size to 10..10000; a size below 1 set by
        // hand cannot be resized to.
        if (output.width < 1 || output.height < 1) {
            target.kind = TargetSize::TooSmall;
            return target;
        }
        target.kind = TargetSize::Resize;
        target.size = cv::Size(output.width, output.height);
    }
    return target;
}

namespace {

// blurImage done over the picture's own pixels, a band of rows at a time, so
// a conversion holds one full-size picture instead of two. Each band is
// blurred on its own together with the rows around it that the kernel
// reaches; BORDER_ISOLATED keeps OpenCV on the fixed-point code it uses for
// a whole picture (a band that is part of a larger picture would otherwise
// take another path that rounds differently), so every pixel comes out as
// blurImage gives it. A band's result goes back into the picture once the
// next band, which reads the band's last rows, is done.
void blurInPlace(cv::Mat &image, int blurIndex)
{
    const int k = kernelSizeForIndex(blurIndex);
    if (k == 0)
        return;
    constexpr int BandRows = 128;
    const int reach = k / 2;
    cv::Mat bands[2];
    cv::Mat pending;
    int pendingRow = 0;
    for (int y = 0, i = 0; y < image.rows; y += BandRows, i ^= 1) {
        const int rows = std::min(BandRows, image.rows - y);
        const int from = std::max(0, y - reach);
        const int to = std::min(image.rows, y + rows + reach);
        cv::GaussianBlur(image.rowRange(from, to), bands[i], cv::Size(k, k), 0, 0,
                         cv::BORDER_REPLICATE | cv::BORDER_ISOLATED);
        if (!pending.empty())
            pending.copyTo(image.rowRange(pendingRow, pendingRow + pending.rows));
        pending = bands[i].rowRange(y - from, y - from + rows);
        pendingRow = y;
    }
    if (!pending.empty())
        pending.copyTo(image.rowRange(pendingRow, pendingRow + pending.rows));
}

// Both forms of toneConvert. With `consume` the source's pixels are the
// chain's working space up to the resize.
bool convertChain(const ToneSettings &settings, const ColorLut &lut, cv::Mat source, bool consume,
                  cv::Mat &destination, bool isColor, int averageWidth, int averageHeight)
{
    if (source.type() != CV_8UC3 || source.empty())
        return false;
    const TargetSize target =
        targetSize(settings.output, source.cols, source.rows, averageWidth, averageHeight);
    if (target.kind == TargetSize::TooSmall)
        return false;
    if (isColor && settings.color.correctionEnabled && !lut.isValid())
        return false;

    cv::Mat work;
    if (isColor) {
        const ColorParams &p = settings.color;
        if (consume) {
            work = std::move(source);
            blurInPlace(work, p.blurIndex);
        } else {
            blurImage(source, work, p.blurIndex);
        }
        if (target.kind == TargetSize::Resize)
            cv::resize(work, work, target.size, 0, 0, cv::INTER_LANCZOS4);
        if (p.correctionEnabled)
            applyColorLut(lut, work, work);
        sharpenImage(work, work, p.sharpenIndex, p.sharpenStrength);
    } else {
        const MonoParams &p = settings.mono;
        cv::Mat grey;
        if (p.grayscale) {
            cv::cvtColor(source, grey, cv::COLOR_BGR2GRAY);
            if (consume)
                source.release();
        }
        const cv::Mat &levelled = p.grayscale ? grey : source;
        if (consume) {
            // The level curve goes pixel by pixel, so it may write over its input.
            work = levelled;
            cv::LUT(work, makeLevelLut(p), work);
            grey.release();
            source.release();
            blurInPlace(work, p.blurIndex);
        } else {
            cv::LUT(levelled, makeLevelLut(p), work);
            blurImage(work, work, p.blurIndex);
        }
        if (target.kind == TargetSize::Resize)
            cv::resize(work, work, target.size, 0, 0, cv::INTER_LANCZOS4);
        sharpenImage(work, work, p.sharpenIndex, p.sharpenStrength);
        if (p.grayscale) {
            cv::Mat colour;
            cv::cvtColor(work, colour, cv::COLOR_GRAY2BGR);
            work = colour;
        }
    }
    destination = work;
    return true;
}

} // namespace

bool toneConvert(const ToneSettings &settings, const ColorLut &lut, const cv::Mat &source,
                 cv::Mat &destination, bool isColor, int averageWidth, int averageHeight)
{
    return convertChain(settings, lut, source, false, destination, isColor, averageWidth, averageHeight);
}

bool toneConvert(const ToneSettings &settings, const ColorLut &lut, cv::Mat &&source, cv::Mat &destination,
                 bool isColor, int averageWidth, int averageHeight)
{
    cv::Mat taken = std::move(source);
    return convertChain(settings, lut, std::move(taken), true, destination, isColor, averageWidth,
                        averageHeight);
}

} // namespace retoner
