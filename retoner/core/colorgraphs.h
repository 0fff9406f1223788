#pragma once

#include "tonesettings.h"

#include <QColor>
#include <QPoint>
#include <QPointF>
#include <QRect>

#include <optional>
#include <vector>

namespace retoner {

// The point chosen in the colour dialog: value level 1..4, saturation index
// (0 the level's grey point, 1..4 saturation 0.25 * index) and hue index
// 0..11 (30 degrees each).
struct PointSelection {
    int level = 3;
    int saturation = 0;
    int hue = 0;
    bool operator==(const PointSelection &) const = default;
};

// The table index of the selected point.
int pointIndex(const PointSelection &selection);

// The rule of the select-point messages: nothing is taken while the
// correction is off; else the saturation index, the hue index only for a
// coloured point, and the level. True when the selection was taken.
bool takeSelection(PointSelection &selection, bool correctionEnabled, const PointSelection &message);

// Marker icons of the graphs' 128 x 32 strip.
enum MarkerIcon { IconPlain = 0, IconShifted = 1, IconSelected = 2, IconInactive = 3 };

bool hasShift(const ControlPoint &point);
bool hasAnyShift(const ColorCorrectionTable &table);
MarkerIcon markerIcon(const ControlPoint &point, bool selected);

// Hue-saturation graph. rect is the client rectangle less the border of
// width m; a point lies at x = cx + trunc(cos h * W/2 * s),
// y = cy - trunc(sin h * H/2 * s) around the centre of rect.
QPoint hsPosition(const QRect &rect, float hue, float saturation);
// Where a point's shift line ends: hue + hueShift, saturation + saturationShift.
QPoint hsShiftEnd(const QRect &rect, const ControlPoint &point);
// The point of the level under a click, the grey point tested first; a
// point is hit within distance m (inclusive).
std::optional<PointSelection> hsHit(const QRect &rect, int level, QPoint click, int m);

// Saturation-value graph of one hue: x = left + trunc(s * width),
// y = bottom - trunc(v * height).
QPoint svPosition(const QRect &rect, float saturation, float value);
// The shift line's end; for grey points the tint's saturation is projected
// onto the graph's hue: saturationShift * cos(hueShift - graph hue).
QPoint svShiftEnd(const QRect &rect, const ControlPoint &point, int graphHue);
// Only level 3 can be chosen here: its grey point, then its four coloured
// points of the graph's hue.
std::optional<PointSelection> svHit(const QRect &rect, int graphHue, QPoint click, int m);

// The colour samples of a point: before and after its shifts, each channel
// trunc(x * 255). The changed colour keeps saturation and value within 0..1;
// limited tells that a limit was applied (the yellow warning square).
struct PointSamples {
    QColor original;
    QColor changed;
    bool limited = false;
};
PointSamples pointSamples(const ControlPoint &point);
// The warning square of a sample w pixels wide: (w/16, w/16) to (4w/16, 4w/16).
QRect limitWarningRect(const QRect &sample);

// After an edit of the level's points: their hue and saturation shifts go to
// the same points of the other levels, and their value shifts in proportion to
// the levels' values (v' * shift / v, kept within the -0.5..0.5 that settings
// files accept). The black point takes the level's grey tint and no value shift.
void carryOverLevel(ColorCorrectionTable &table, int level);

// The level curve graph's polyline, i = 0..255: x = left + i * width / 255,
// y = bottom - C - 0.5 (see MonoParams).
std::vector<QPointF> levelCurve(const QRectF &rect, int blackLevel, int whiteLevel, int curve);

// Hue of the colour-edit slider positions: coloured points -120..120 half
// degrees (relative), grey and black points 0..719 (absolute).
float hueShiftForSlider(int position);
int sliderForHueShift(float hueShift, bool neutralPoint);
bool isNeutralPoint(int index); // the black and the grey points

} // namespace retoner
