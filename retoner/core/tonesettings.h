#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace retoner {

// Kernel size index of the blur and sharpen filters: 0 none, 1..4 sizes 3..9.
int kernelSizeForIndex(int index);

struct ColorParams {
    int32_t blurIndex = 3;
    int32_t sharpenIndex = 3;
    int32_t sharpenStrength = 40; // amount = strength / 50
    int32_t correctionEnabled = 0;
    bool operator==(const ColorParams &) const = default;
};

struct MonoParams {
    int32_t grayscale = 1;
    int32_t blackLevel = 30;
    int32_t whiteLevel = 234;
    int32_t curve = 10; // gamma = 2^(curve/100)
    int32_t blurIndex = 2;
    int32_t sharpenIndex = 2;
    int32_t sharpenStrength = 40;
    bool operator==(const MonoParams &) const = default;
};

enum ResizeMode : int32_t { KeepSize = 0, ScaleByRatio = 1, FixedSize = 2 };
enum OutputFormat : int32_t { FormatBmp = 0, FormatJpeg = 1, FormatPng = 2 };

struct OutputParams {
    int32_t resizeMode = ScaleByRatio;
    int32_t ratioPercent = 36;
    int32_t uniformSize = 0;
    int32_t width = 1000;
    int32_t height = 1000;
    int32_t format = FormatJpeg;
    int32_t jpegQuality = 95;
    bool operator==(const OutputParams &) const = default;
};

// A full turn of hue in radians, in the single precision of the colour table.
inline constexpr float TwoPi = 6.2831855f;

// One control point of the colour correction: a fixed position in HSV space
// (hue in radians, saturation and value 0..1) and the three edited shifts.
struct ControlPoint {
    float hue = 0;
    float saturation = 0;
    float value = 0;
    float hueShift = 0;
    float saturationShift = 0;
    float valueShift = 0;
    bool operator==(const ControlPoint &) const = default;
};

// 197 control points: the black point, then four value levels of 49 points
// each (the grey point, then 12 hues x 4 saturations).
class ColorCorrectionTable {
public:
    static constexpr int PointCount = 197;
    static constexpr int Levels = 4;
    static constexpr int PointsPerLevel = 49;
    static constexpr int Hues = 12;
    static constexpr int Saturations = 4;

    ColorCorrectionTable(); // positions set, all shifts 0
    void resetShifts();

    static int blackIndex() { return 0; }
    // level 1..4
    static int greyIndex(int level) { return 1 + (level - 1) * PointsPerLevel; }
    // level 1..4, saturation index 1..4 (saturation 0.25 * s), hue index 0..11 (30 degrees each)
    static int colouredIndex(int level, int saturation, int hue)
    {
        return greyIndex(level) + 1 + (saturation - 1) + Saturations * hue;
    }

    ControlPoint &operator[](int index) { return m_points[index]; }
    const ControlPoint &operator[](int index) const { return m_points[index]; }
    const std::array<ControlPoint, PointCount> &points() const { return m_points; }
    bool operator==(const ColorCorrectionTable &) const = default;

private:
    std::array<ControlPoint, PointCount> m_points;
};

struct ToneSettings {
    ColorParams color;
    MonoParams mono;
    OutputParams output;
    ColorCorrectionTable correction;
    QString outputFolder;
    bool operator==(const ToneSettings &) const = default;
};

} // namespace retoner
