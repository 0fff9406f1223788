#pragma once

#include "book/bookrecords.h"

#include <QByteArray>
#include <QString>

namespace leafreader {

class BookSource;

// What the file information dialog shows of one book.
struct FileInformation {
    QString path;
    uint64_t fileSize = 0;
    bool read = false;      // header and attributes were read
    kvb::BookHeader header; // as read (zeros when not read)
    QByteArray thumbnail;   // 96000 bytes when a thumbnail was read, else empty
    kvb::AttributeList attributes; // sorted by type, file order within a type

    // The thumbnail is shown when one was read and header byte 7 has bit 0.
    bool showsThumbnail() const;
};

// Reads the header, thumbnail and attributes of the book at `path` (no
// pages). `path` and `fileSize` are taken as given; a book that cannot be
// read still gives them, with no records.
FileInformation gatherFileInformation(const QString &path, uint64_t fileSize);
// The same of the book a page view shows, read through its open file, so a
// book renamed or moved while it is shown is still read.
FileInformation gatherFileInformation(BookSource &openBook, uint64_t fileSize);

} // namespace leafreader
