#pragma once

#include "tonepipeline.h"

namespace retoner {

// The colour table with the points it was built from, so a conversion after
// a change of other settings does not pay for the table again.
class ColorLutCache {
public:
    // Builds the table unless it already stands for these points.
    const ColorLut &lutFor(const ColorCorrectionTable &table);
    const ColorLut &lut() const { return m_lut; }

private:
    ColorLut m_lut;
    ColorCorrectionTable m_points;
};

} // namespace retoner
