#include "previewlayout.h"

#include <cmath>

namespace bindery {

namespace {

// The picture scaled, aspect kept, to the full height of a width x height
// area when it is relatively taller than the area, else to its full width.
QSize fittedSize(int width, int height, QSize picture)
{
    const double m = double(picture.height()) / double(picture.width());
    if (m > double(height) / double(width))
        return {int(std::trunc(height / m)), height};
    return {width, int(std::trunc(width * m))};
}

// The picture in one half: full height touching the centre line, or full
// half width centred vertically.
QRect halfRect(const QRect &area, QSize picture, bool leftHalf)
{
    const int half = int(std::trunc(area.width() / 2.0));
    if (picture.isEmpty() || area.isEmpty() || half <= 0)
        return {};
    const QSize size = fittedSize(half, area.height(), picture);
    const int centre = area.left() + half;
    return {leftHalf ? centre - size.width() : centre, area.top() + (area.height() - size.height()) / 2,
            size.width(), size.height()};
}

} // namespace

QRect singlePageRect(const QRect &area, QSize picture)
{
    if (picture.isEmpty() || area.isEmpty())
        return {};
    const QSize size = fittedSize(area.width(), area.height(), picture);
    return {area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2,
            size.width(), size.height()};
}

QRect spreadLeftRect(const QRect &area, QSize picture)
{
    return halfRect(area, picture, true);
}

QRect spreadRightRect(const QRect &area, QSize picture)
{
    return halfRect(area, picture, false);
}

} // namespace bindery
