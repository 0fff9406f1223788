#include "pairing.h"

#include "book/bookrecords.h"

namespace leafreader {

bool showsSpread(uint8_t layoutFlags, bool singlePage)
{
    return (layoutFlags & kvb::PageSpread) != 0 && !singlePage;
}

SlotPages pairPages(int p, uint8_t layoutFlags, bool singlePage)
{
    if (!showsSpread(layoutFlags, singlePage))
        return {p - 1, -1};
    const bool cover = (layoutFlags & kvb::Cover) != 0;
    const bool right = (layoutFlags & kvb::BindR) != 0;
    const bool odd = (p % 2) != 0;
    // lower/higher: the 0-based pages of the pair, in reading order.
    int lower, higher;
    if (cover) {
        lower = odd ? p - 2 : p - 1;
        higher = odd ? p - 1 : p;
    } else {
        lower = odd ? p - 1 : p - 2;
        higher = odd ? p : p - 1;
    }
    return right ? SlotPages{higher, lower} : SlotPages{lower, higher};
}

uint8_t layoutFlagsFor(int layout, int binding)
{
    uint8_t flags = 0;
    if (layout == 2)
        flags |= kvb::PageSpread | kvb::Cover;
    else if (layout == 3)
        flags |= kvb::PageSpread;
    if (binding == 0)
        flags |= kvb::BindR;
    return flags;
}

int spreadIndex(int p, uint8_t layoutFlags, bool singlePage)
{
    if (p == 0)
        return 0;
    if (!showsSpread(layoutFlags, singlePage))
        return p - 1;
    return (layoutFlags & kvb::Cover) ? p / 2 : (p - 1) / 2;
}

} // namespace leafreader
