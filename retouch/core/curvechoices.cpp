#include "curvechoices.h"

#include <algorithm>

namespace retouch {

const std::array<CurveChoice, kCurveCount> &curveChoices()
{
    static const std::array<CurveChoice, kCurveCount> choices{{
        {{"RetouchCurves", QT_TRANSLATE_NOOP("RetouchCurves", "なし")}, 1.0, 1.0},
        {{"RetouchCurves", "-3"}, 1.0 / 1.5, 1.2},
        {{"RetouchCurves", "-2"}, 1.0 / 1.8, 1.16},
        {{"RetouchCurves", "-1"}, 1.0 / 2.06, 1.122},
        {{"RetouchCurves", QT_TRANSLATE_NOOP("RetouchCurves", "標準")}, tone::kStandardExponent, tone::kStandardFactor},
        {{"RetouchCurves", "+1"}, 1.0 / 2.3, 1.06},
        {{"RetouchCurves", "+2"}, 1.0 / 2.36, 1.018},
    }};
    return choices;
}

const TransferTables &transferTables(int choice)
{
    static const std::array<TransferTables, kCurveCount> all = [] {
        std::array<TransferTables, kCurveCount> built;
        for (int i = 0; i < kCurveCount; ++i)
            built[i] = tone::buildTransferTables(curveChoices()[i].exponent, curveChoices()[i].factor);
        return built;
    }();
    return all[std::clamp(choice, 0, kCurveCount - 1)];
}

} // namespace retouch
