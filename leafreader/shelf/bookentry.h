#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace leafreader {

// One list row, resume entry or open book.
struct BookEntry {
    enum Kind : int32_t { Drive = 0, Folder = 1, BookFile = 2, Empty = 3 };

    int32_t kind = Empty;
    // Book: full path. Drive: root + '|' + display name. Folder: full path.
    QString path;
    uint64_t fileSize = 0;
    int32_t page = -1; // 1-based position; -1 = never opened
    uint16_t pageCount = 0;
    uint8_t layoutFlags = 0; // kvb::LayoutFlag bits
    uint8_t thumbnailFlag = 0;
    QString title, subtitle, author, publisher, circle;
    int32_t date = -1; // year << 16 | month << 8 | day; -1 = none
    int32_t zoom = 0;  // 0 = none, 1..9
    int32_t singlePage = 0; // non-zero: a spread book shown one page at a time
    // The 160 x 200 book thumbnail (96000 bytes) or empty.
    QByteArray thumbnail;

    void reset() { *this = BookEntry(); }
    bool hasThumbnail() const { return !thumbnail.isEmpty(); }

    static int32_t packDate(int year, int month, int day) { return year << 16 | month << 8 | day; }
    int year() const { return date < 0 ? 0 : date >> 16; }
    int month() const { return date < 0 ? 0 : (date >> 8) & 0xFF; }
    int day() const { return date < 0 ? 0 : date & 0xFF; }
};

// Reads the header, thumbnail and attributes of the book at row.path into the
// row (page count, layout flags, thumbnail flag and thumbnail, title,
// subtitle, author, publisher, circle, date) without walking the pages. An
// empty title becomes the file name without its extension, an empty subtitle
// a single blank. Without `withThumbnail` the thumbnail block is moved over
// (a folder of many books is listed without holding 96000 bytes per row).
// False when the file cannot be opened or read; the row is then unchanged.
bool readListInformation(BookEntry &row, bool withThumbnail = true);

} // namespace leafreader
