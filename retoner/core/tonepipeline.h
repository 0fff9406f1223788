#pragma once

#include "tonesettings.h"

#include <opencv2/core.hpp>

#include <array>
#include <vector>

namespace retoner {

// A hue in radians brought into [0, 2pi) by adding or subtracting full turns.
float wrapHue(float angle);

// The colour chain's HSV to RGB conversion (hue in radians 0..2pi, saturation
// and value 0..1) in single precision: red, green, blue in 0..1. A hue whose
// sector falls outside 0..5 counts as sector 0. The colour table, the colour
// samples and the background pictures of the settings dialogs all use it.
std::array<float, 3> hsvToRgb(float hue, float saturation, float value);
// The same as bytes, each channel trunc(x * 255): red, green, blue.
std::array<uchar, 3> hsvToRgbBytes(float hue, float saturation, float value);

// The colour correction as a 33 x 33 x 33 grid of (red, green, blue) floats in
// 0..1. Entry index = b * 1089 + g * 33 + r; grid index i stands for i / 32.
class ColorLut {
public:
    static constexpr int Grid = 33;
    static constexpr int EntryCount = Grid * Grid * Grid;

    // Each entry is stored as four floats (red, green, blue, unused) so that
    // one entry is one 16-byte vector when the table is applied.
    static constexpr int Stride = 4;

    bool isValid() const { return !m_values.empty(); }
    // Red, green, blue.
    const float *entry(int index) const { return m_values.data() + Stride * index; }
    const float *entry(int b, int g, int r) const { return entry(b * Grid * Grid + g * Grid + r); }

private:
    friend void buildColorLut(const ColorCorrectionTable &table, ColorLut &lut);
    std::vector<float> m_values;
};

// Inverse-distance weighting of the control points' displacements in the
// cylindrical HSV space, evaluated at every grid entry, in single precision.
void buildColorLut(const ColorCorrectionTable &table, ColorLut &lut);

// CV_8UC3 to CV_8UC3 of the same size by trilinear interpolation of the grid
// (a byte's grid coordinate is byte / 8), rows split over OpenMP threads.
// destination may be source.
void applyColorLut(const ColorLut &lut, const cv::Mat &source, cv::Mat &destination);

// An unsharp mask as one k x k kernel (sigma 0.8, 1.2, 1.6, 2.0 for k = 3..9)
// applied with filter2D; index 0 copies.
void sharpenImage(const cv::Mat &source, cv::Mat &destination, int sharpenIndex, int strength);

// Gaussian blur with the kernel size of the index (sigma from OpenCV), index 0 copies.
void blurImage(const cv::Mat &source, cv::Mat &destination, int blurIndex);

// The monochrome level curve: 1 x 256 CV_8U for cv::LUT.
cv::Mat makeLevelLut(const MonoParams &params);

struct TargetSize {
    enum Kind { Unchanged, Resize, TooSmall };
    Kind kind = Unchanged;
    cv::Size size;
};

// The output size rules: averageWidth/averageHeight are the integer mean size of
// all registered images, used only for uniform scaling.
TargetSize targetSize(const OutputParams &output, int columns, int rows, int averageWidth,
                      int averageHeight);

// Converts one CV_8UC3 image through the colour or monochrome chain into a
// CV_8UC3 result. Returns false, leaving destination untouched, when the
// target size has a side below 1 (or the input is not CV_8UC3, or colour
// correction is enabled and lut was not built).
bool toneConvert(const ToneSettings &settings, const ColorLut &lut, const cv::Mat &source,
                 cv::Mat &destination, bool isColor, int averageWidth, int averageHeight);
// The same, taking the source's pixels as working space, so the conversion
// holds one full-size picture instead of two; the source is released
// whatever the outcome. The result is the same to the last bit.
bool toneConvert(const ToneSettings &settings, const ColorLut &lut, cv::Mat &&source, cv::Mat &destination,
                 bool isColor, int averageWidth, int averageHeight);

} // namespace retoner
