#include "pagepairing.h"

#include "bookrecords.h"

namespace kvb {

bool showsSpread(uint8_t layoutFlags, bool singlePage)
{
    return (layoutFlags & PageSpread) != 0 && !singlePage;
}

int spreadIndex(int position, uint8_t layoutFlags, bool singlePage)
{
    if (position <= 0)
        return 0;
    if (!showsSpread(layoutFlags, singlePage))
        return position - 1;
    return (layoutFlags & Cover) ? position / 2 : (position - 1) / 2;
}

SpreadPages spreadPages(int s, int pageCount, uint8_t layoutFlags, bool singlePage)
{
    auto page = [&](int index) { return index >= 0 && index < pageCount ? index : -1; };
    if (!showsSpread(layoutFlags, singlePage))
        return {page(s), -1};
    // The pair in reading order: the cover shifts every pair back by one.
    const int lower = (layoutFlags & Cover) ? 2 * s - 1 : 2 * s;
    const int higher = lower + 1;
    if (layoutFlags & BindR)
        return {page(higher), page(lower)};
    return {page(lower), page(higher)};
}

uint8_t layoutFlagsFor(int layout, int binding)
{
    uint8_t flags = 0;
    if (layout == 2)
        flags |= PageSpread | Cover;
    else if (layout == 3)
        flags |= PageSpread;
    if (binding == 0)
        flags |= BindR;
    return flags;
}

} // namespace kvb
