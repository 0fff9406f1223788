#include "tonesettings.h"

#include <numbers>

namespace retoner {

int kernelSizeForIndex(int index)
{
    return index >= 1 && index <= 4 ? 2 * index + 1 : 0;
}

ColorCorrectionTable::ColorCorrectionTable()
{
    for (int level = 1; level <= Levels; ++level) {
        const float value = 0.25f * level;
        ControlPoint &grey = m_points[greyIndex(level)];
        grey.value = value;
        for (int hue = 0; hue < Hues; ++hue) {
            for (int s = 1; s <= Saturations; ++s) {
                ControlPoint &point = m_points[colouredIndex(level, s, hue)];
                point.hue = static_cast<float>(hue * std::numbers::pi / 6.0);
                point.saturation = 0.25f * s;
                point.value = value;
            }
        }
    }
}

void ColorCorrectionTable::resetShifts()
{
    for (ControlPoint &point : m_points)
        point.hueShift = point.saturationShift = point.valueShift = 0;
}

} // namespace retoner
