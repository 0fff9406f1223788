#include "colorlutcache.h"

namespace retoner {

const ColorLut &ColorLutCache::lutFor(const ColorCorrectionTable &table)
{
    if (!m_lut.isValid() || !(m_points == table)) {
        buildColorLut(table, m_lut);
        m_points = table;
    }
    return m_lut;
}

} // namespace retoner
