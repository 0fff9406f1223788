#include "sizetable.h"

#include <algorithm>
#include <iterator>

namespace glancer {

SizeMetrics SizeMetrics::forIndex(int index)
{
    static constexpr SizeMetrics kTable[] = {
        {37, 20, 16, 12, 20, 80},
        {48, 28, 23, 16, 28, 112},
        {68, 40, 34, 23, 40, 160},
        {96, 56, 48, 34, 56, 224},
        {136, 80, 70, 48, 80, 320},
    };
    return kTable[std::clamp(index, 0, int(std::size(kTable)) - 1)];
}

ColumnWidths ColumnWidths::compute(int clientWidth, int scrollBarWidth, const SizeMetrics &metrics)
{
    ColumnWidths widths;
    const int usable = clientWidth - scrollBarWidth;
    widths.size = std::max(usable / 6, metrics.minSizeColumn);
    widths.file = std::max(0, usable - widths.size - 3);
    return widths;
}

} // namespace glancer
