#pragma once

#include <QRect>
#include <QSize>

namespace leafreader {

// The system icon size the list sizes derive from.
constexpr int kSystemIconSize = 32;

// Sizes of the list screens, recomputed whenever the full-screen state or
// the settings change.
struct TileMetrics {
    int scaleUnit = 16;     // c = trunc(16 x 1.07^k)
    QSize picture;          // W x Hp
    QSize tile;             // W + W x trunc(96 x 1.07^j) / 32, Hp + 2
    int mainLarge = 0;      // font pixel heights: Main-L, Main-S, List-L, List-S
    int mainSmall = 0;
    int listLarge = 0;
    int listSmall = 0;
    int headerHeight = 0;   // H = Main-L + Main-S

    // scale: the normal-screen or full-screen scale k; listColumn: j.
    static TileMetrics compute(int scale, int listColumn, QSize iconSize = {kSystemIconSize, kSystemIconSize});
    // The resume badge's rectangle in the bottom-right corner of the picture.
    QRect badgeRect() const;
};

// The resume badge (64 x 43 on the 160 x 200 picture) scaled with a picture
// of `picture` size, in its bottom-right corner.
QRect resumeBadgeRect(QSize picture);

// The header above the list: two text lines at the left, the icon cells
// (each H x H) right-aligned at the top.
enum HeaderIcon {
    IconUpFolder = 0,
    IconSwitchScreen = 1,
    IconSwitchKeepSelection = 2,
    IconFileInformation = 3,
    IconSettings = 4,
    IconCloseProgram = 5,
    kHeaderIconCount = 6,
};

struct HeaderLayout {
    int height = 0;        // H
    int clientWidth = 0;
    bool fullScreen = false;
    bool upFolderShown = false; // folder screen with a folder (not the resume screen, not the drive list)

    // Cells always sit in fixed slots: 5 (6 in full screen) of H x H ending at
    // the right edge; a hidden icon leaves its slot empty.
    int slotCount() const { return fullScreen ? 6 : 5; }
    bool iconShown(int icon) const;
    QRect iconRect(int icon) const;
    // Where the text lines end: the left edge of the first shown icon.
    int textRight() const;
    // The icon under a point of the header, or -1 (outside the header, left
    // of the icons, or on the empty up-folder slot).
    int hitTest(int x, int y) const;
};

} // namespace leafreader
