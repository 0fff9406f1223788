#include "zoomnav.h"

namespace leafreader {

int zoomUp(int zoom, const std::function<bool()> &previousPage)
{
    if (zoom == 0) {
        previousPage();
        return 0;
    }
    if (zoom >= 1 && zoom <= 3)
        return previousPage() ? zoom + 6 : zoom;
    if (zoom >= 4 && zoom <= 9)
        return zoom - 3;
    return zoom;
}

int zoomDown(int zoom, const std::function<bool()> &nextPage)
{
    if (zoom == 0) {
        nextPage();
        return 0;
    }
    if (zoom >= 7 && zoom <= 9)
        return nextPage() ? zoom - 6 : zoom;
    if (zoom >= 1 && zoom <= 6)
        return zoom + 3;
    return zoom;
}

int zoomLeft(int zoom)
{
    if (zoom >= 1 && zoom <= 9 && (zoom - 1) % 3 != 0)
        return zoom - 1;
    return zoom;
}

int zoomRight(int zoom)
{
    if (zoom >= 1 && zoom <= 9 && (zoom - 1) % 3 != 2)
        return zoom + 1;
    return zoom;
}

int keypadRegion(int digit)
{
    if (digit < 1 || digit > 9)
        return 0;
    return digit >= 7 ? digit - 6 : digit <= 3 ? digit + 6 : digit;
}

} // namespace leafreader
