#include "colorgraphs.h"

#include "tonepipeline.h"

#include <algorithm>
#include <cmath>

namespace retoner {

namespace {

constexpr float ShiftLimit = 0.5f;

bool within(QPoint click, QPoint centre, int m)
{
    const long long dx = click.x() - centre.x();
    const long long dy = click.y() - centre.y();
    return dx * dx + dy * dy <= static_cast<long long>(m) * m;
}

QColor colourOf(float hue, float saturation, float value)
{
    const auto rgb = hsvToRgbBytes(hue, saturation, value);
    return QColor(rgb[0], rgb[1], rgb[2]);
}

} // namespace

int pointIndex(const PointSelection &s)
{
    return s.saturation == 0 ? ColorCorrectionTable::greyIndex(s.level)
                             : ColorCorrectionTable::colouredIndex(s.level, s.saturation, s.hue);
}

bool takeSelection(PointSelection &selection, bool correctionEnabled, const PointSelection &message)
{
    if (!correctionEnabled)
        return false;
    selection.saturation = message.saturation;
    if (message.saturation != 0)
        selection.hue = message.hue;
    selection.level = message.level;
    return true;
}

bool hasShift(const ControlPoint &p)
{
    return p.hueShift != 0.0f || p.saturationShift != 0.0f || p.valueShift != 0.0f;
}

bool hasAnyShift(const ColorCorrectionTable &table)
{
    return std::any_of(table.points().begin(), table.points().end(), hasShift);
}

MarkerIcon markerIcon(const ControlPoint &point, bool selected)
{
    return selected ? IconSelected : hasShift(point) ? IconShifted : IconPlain;
}

QPoint hsPosition(const QRect &rect, float hue, float saturation)
{
    const int cx = rect.left() + rect.width() / 2;
    const int cy = rect.top() + rect.height() / 2;
    return {cx + static_cast<int>(std::cos(hue) * (rect.width() / 2.0) * saturation),
            cy - static_cast<int>(std::sin(hue) * (rect.height() / 2.0) * saturation)};
}

QPoint hsShiftEnd(const QRect &rect, const ControlPoint &p)
{
    return hsPosition(rect, p.hue + p.hueShift, p.saturation + p.saturationShift);
}

std::optional<PointSelection> hsHit(const QRect &rect, int level, QPoint click, int m)
{
    if (level < 1 || level > ColorCorrectionTable::Levels)
        return std::nullopt;
    const ColorCorrectionTable positions;
    if (within(click, hsPosition(rect, 0.0f, 0.0f), m))
        return PointSelection{level, 0, 0};
    for (int s = 1; s <= ColorCorrectionTable::Saturations; ++s)
        for (int h = 0; h < ColorCorrectionTable::Hues; ++h) {
            const ControlPoint &p = positions[ColorCorrectionTable::colouredIndex(level, s, h)];
            if (within(click, hsPosition(rect, p.hue, p.saturation), m))
                return PointSelection{level, s, h};
        }
    return std::nullopt;
}

QPoint svPosition(const QRect &rect, float saturation, float value)
{
    const int bottom = rect.top() + rect.height();
    return {rect.left() + static_cast<int>(saturation * rect.width()),
            bottom - static_cast<int>(value * rect.height())};
}

QPoint svShiftEnd(const QRect &rect, const ControlPoint &p, int graphHue)
{
    float saturation = p.saturation + p.saturationShift;
    if (p.saturation == 0.0f)
        saturation = p.saturationShift * std::cos(p.hueShift - graphHue * (TwoPi / 12.0f));
    return svPosition(rect, saturation, p.value + p.valueShift);
}

std::optional<PointSelection> svHit(const QRect &rect, int graphHue, QPoint click, int m)
{
    constexpr int Level = 3;
    const float value = 0.25f * Level;
    if (within(click, svPosition(rect, 0.0f, value), m))
        return PointSelection{Level, 0, graphHue};
    for (int s = 1; s <= ColorCorrectionTable::Saturations; ++s)
        if (within(click, svPosition(rect, 0.25f * s, value), m))
            return PointSelection{Level, s, graphHue};
    return std::nullopt;
}

PointSamples pointSamples(const ControlPoint &p)
{
    PointSamples samples;
    samples.original = colourOf(p.hue, p.saturation, p.value);
    const float hue = wrapHue(p.hue + p.hueShift);
    const float saturation = p.saturation + p.saturationShift;
    const float value = p.value + p.valueShift;
    const float s = std::clamp(saturation, 0.0f, 1.0f);
    const float v = std::clamp(value, 0.0f, 1.0f);
    samples.limited = s != saturation || v != value;
    samples.changed = colourOf(hue, s, v);
    return samples;
}

QRect limitWarningRect(const QRect &sample)
{
    const int w = sample.width();
    return QRect(QPoint(sample.left() + w / 16, sample.top() + w / 16),
                 QPoint(sample.left() + 4 * w / 16, sample.top() + 4 * w / 16));
}

void carryOverLevel(ColorCorrectionTable &table, int level)
{
    using T = ColorCorrectionTable;
    if (level < 1 || level > T::Levels)
        return;
    const float v = 0.25f * level;
    for (int other = 1; other <= T::Levels; ++other) {
        if (other == level)
            continue;
        const float factor = 0.25f * other / v;
        const auto copy = [&](int from, int to) {
            table[to].hueShift = table[from].hueShift;
            table[to].saturationShift = table[from].saturationShift;
            table[to].valueShift = std::clamp(table[from].valueShift * factor, -ShiftLimit, ShiftLimit);
        };
        copy(T::greyIndex(level), T::greyIndex(other));
        for (int s = 1; s <= T::Saturations; ++s)
            for (int h = 0; h < T::Hues; ++h)
                copy(T::colouredIndex(level, s, h), T::colouredIndex(other, s, h));
    }
    ControlPoint &black = table[T::blackIndex()];
    black.hueShift = table[T::greyIndex(level)].hueShift;
    black.saturationShift = table[T::greyIndex(level)].saturationShift;
    black.valueShift = 0.0f;
}

std::vector<QPointF> levelCurve(const QRectF &rect, int blackLevel, int whiteLevel, int curve)
{
    const double g = std::pow(2.0, curve / 100.0);
    const double height = rect.height();
    std::vector<QPointF> points;
    points.reserve(256);
    for (int i = 0; i < 256; ++i) {
        double c;
        if (i <= blackLevel)
            c = 0.0;
        else if (i > whiteLevel)
            c = height - 0.5;
        else
            c = std::pow(static_cast<double>(i - blackLevel) / (whiteLevel - blackLevel), 1.0 / g) * height;
        points.emplace_back(rect.left() + i * rect.width() / 255.0, rect.bottom() - c - 0.5);
    }
    return points;
}

float hueShiftForSlider(int position)
{
    return position * TwoPi / 720.0f;
}

int sliderForHueShift(float hueShift, bool neutralPoint)
{
    const int position = static_cast<int>(std::lround(hueShift * 720.0f / TwoPi));
    return neutralPoint ? std::clamp(position, 0, 719) : std::clamp(position, -120, 120);
}

bool isNeutralPoint(int index)
{
    return index == ColorCorrectionTable::blackIndex()
           || (index - 1) % ColorCorrectionTable::PointsPerLevel == 0;
}

} // namespace retoner
