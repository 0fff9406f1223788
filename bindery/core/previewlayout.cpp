#include "previewlayout.h"

#include <cmath>

namespace bindery {

int spreadNumber(int position, bool spread, bool cover)
{
    if (position <= 0)
        return 0;
    if (!spread)
        return position - 1;
    return cover ? position / 2 : (position - 1) / 2;
}

PreviewPages spreadPages(int s, bool spread, bool cover, bool bindRight, int pageCount)
{
    auto page = [&](int index) { return index >= 0 && index < pageCount ? index : -1; };
    PreviewPages pages;
    if (!spread) {
        pages.left = page(s);
        return pages;
    }
    const int r = bindRight ? 1 : 0;
    if (cover) {
        pages.left = page(2 * s + r - 1);
        pages.right = page(2 * s - r);
    } else {
        pages.left = page(2 * s + r);
        pages.right = page(2 * s + (1 - r));
    }
    return pages;
}

QRect singlePageRect(const QRect &area, QSize picture)
{
    if (picture.isEmpty() || area.isEmpty())
        return {};
    const int W = area.width();
    const int H = area.height();
    const double m = double(picture.height()) / double(picture.width());
    if (m > double(H) / double(W)) {
        const int w = int(std::trunc(H / m));
        return {area.left() + (W - w) / 2, area.top(), w, H};
    }
    const int h = int(std::trunc(W * m));
    return {area.left(), area.top() + (H - h) / 2, W, h};
}

namespace {

// The picture in one half: full height touching the centre line, or full
// half width centred vertically.
QRect halfRect(const QRect &area, QSize picture, bool leftHalf)
{
    if (picture.isEmpty() || area.isEmpty())
        return {};
    const int half = int(std::trunc(area.width() / 2.0));
    const int H = area.height();
    const int centre = area.left() + half;
    if (half <= 0)
        return {};
    const double m = double(picture.height()) / double(picture.width());
    if (m > double(H) / double(half)) {
        const int w = int(std::trunc(H / m));
        return {leftHalf ? centre - w : centre, area.top(), w, H};
    }
    const int h = int(std::trunc(half * m));
    return {leftHalf ? area.left() : centre, area.top() + (H - h) / 2, half, h};
}

} // namespace

QRect spreadLeftRect(const QRect &area, QSize picture)
{
    return halfRect(area, picture, true);
}

QRect spreadRightRect(const QRect &area, QSize picture)
{
    return halfRect(area, picture, false);
}

} // namespace bindery
