#pragma once

#include "bookentry.h"

#include "book/bookrecords.h"

#include <QString>

#include <cstdint>

namespace leafreader {

// The texts the list screens and the file information show.

// A packed date (year << 16 | month << 8 | day, -1 = none): " -", "2021",
// "2021/03" or "2021/03/07"; a month outside 1..12 hides month and day, a
// day outside 1..31 hides the day.
QString dateText(int32_t date);
inline QString dateText(int year, int month, int day)
{
    return dateText(BookEntry::packDate(year, month, day));
}

constexpr int kPriorityCount = 6;
// The six orders of author, publisher and circle ("著者 > サークル > 出版社" ...).
QString priorityText(int priority);
// The first non-empty of the row's author, publisher and circle in the order
// of `priority` (APCPriority, clamped to 0..5), else " -".
QString authorLine(const BookEntry &row, int priority);

// The book rows' last tile line: "%u pages"; the resume rows': "p.%d/%d".
QString pagesLine(const BookEntry &row);
QString resumePageLine(const BookEntry &row);

// What one tile shows: the title, four lines below it, and its picture (a
// TilePicture, or -1 for the row's own book picture).
struct TileText {
    QString title;
    QString lines[4];
    int picture = -1;
    bool resumeBadge = false;
};
TileText tileText(const BookEntry &row, bool resumeScreen, int priority);

// File information: " (Unknown)", " %u Bytes", " %uK (%u) Bytes", " %uM (%u) Bytes"
// or " %uG (%u) Bytes".
QString fileSizeText(uint64_t bytes);
// " 表紙あり見開き、右綴じ" ... or " 単ページ", from the header's layout flags.
QString layoutText(uint8_t layoutFlags);
// The attribute list's item and content columns of one record.
QString attributeItemText(const kvb::AttributeEntry &entry);
QString attributeContentText(const kvb::AttributeEntry &entry);

} // namespace leafreader
