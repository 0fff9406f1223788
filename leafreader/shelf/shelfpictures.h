#pragma once

#include <QImage>
#include <QSize>

namespace leafreader {

// The list's pictures, drawn once: the 160 x 200 tile pictures, the 64 x 43
// resume badge and the 80 x 80 header icons.
enum TilePicture { TileDrive = 0, TileFolder = 1, TileBook = 2, TileMissingBook = 3, kTilePictureCount = 4 };

class ShelfPictures {
public:
    static const QImage &tile(int which);
    static const QImage &resumeBadge();
    // Header icons in the order of HeaderIcon (up, switch, switch keeping the
    // selection, file information, settings, close).
    static const QImage &headerIcon(int which);

    // A book picture for a row: its 160 x 200 thumbnail (or the book tile)
    // reduced to `size`, with the resume badge in the bottom-right corner
    // when `resumeBadge` is set.
    static QImage bookPicture(const QByteArray &thumbnail, QSize size, bool resumeBadge);
    // A tile picture reduced to `size`.
    static QImage tileAt(int which, QSize size);
    // The program's window icon: an open book.
    static QImage programIcon();
};

} // namespace leafreader
