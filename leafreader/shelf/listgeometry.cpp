#include "listgeometry.h"

#include <cmath>

namespace leafreader {

TileMetrics TileMetrics::compute(int scale, int listColumn, QSize iconSize)
{
    TileMetrics m;
    m.scaleUnit = int(16.0 * std::pow(1.07, scale));
    const int c = m.scaleUnit;
    const int w = iconSize.width() * c * 20 / 128;
    const int hp = iconSize.height() * c * 25 / 128;
    m.picture = QSize(w, hp);
    const int column = int(96.0 * std::pow(1.07, listColumn));
    m.tile = QSize(w + (w * column) / 32, hp + 2);
    m.mainLarge = hp * 22 / 100;
    m.mainSmall = hp * 16 / 100;
    m.listLarge = hp * 16 / 100;
    m.listSmall = hp * 14 / 100;
    m.headerHeight = m.mainLarge + m.mainSmall;
    return m;
}

QRect resumeBadgeRect(QSize picture)
{
    const int bw = picture.width() * 64 / 160;
    const int bh = picture.height() * 43 / 200;
    return QRect(picture.width() - bw, picture.height() - bh, bw, bh);
}

QRect TileMetrics::badgeRect() const
{
    return resumeBadgeRect(picture);
}

bool HeaderLayout::iconShown(int icon) const
{
    if (icon == IconUpFolder)
        return upFolderShown;
    if (icon == IconCloseProgram)
        return fullScreen;
    return icon > IconUpFolder && icon < kHeaderIconCount;
}

QRect HeaderLayout::iconRect(int icon) const
{
    return QRect(clientWidth - (slotCount() - icon) * height, 0, height, height);
}

int HeaderLayout::textRight() const
{
    const int first = upFolderShown ? IconUpFolder : IconSwitchScreen;
    return iconRect(first).left();
}

int HeaderLayout::hitTest(int x, int y) const
{
    if (height <= 0 || y < 0 || y >= height || x >= clientWidth)
        return -1;
    // Left of the first slot the offset is negative: no icon (integer
    // division alone would round -0.5 to slot 0).
    const int offset = slotCount() * height + x - clientWidth;
    if (offset < 0)
        return -1;
    const int icon = offset / height;
    if (icon >= slotCount() || !iconShown(icon))
        return -1;
    return icon;
}

} // namespace leafreader
