#pragma once

#include "bookentry.h"
#include "platform/drives.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace leafreader {

class ResumeList;

struct FolderListing {
    std::vector<BookEntry> rows; // folders first, then books, each sorted
    int bookCount = 0;
    // Books whose list information did not read, and books and folders
    // whose names are not valid UTF-8 (Qt can neither list nor open them),
    // those with the name's bytes escaped.
    QStringList failedBooks;
};

// The rows of the drive list: kind 0, path "root|display name", title the
// display name.
std::vector<BookEntry> driveRows(const std::vector<platform::Drive> &drives);

// Lists one folder: visible sub-folders and ".kvb" files (any case). A book
// row takes the page, zoom region and single-page override of the first
// resume entry with its path. Nothing but the header and attributes of each
// book is read, and its thumbnail when `withThumbnails` is set; otherwise the
// tiles read the thumbnails of the rows they show (readRowThumbnail).
FolderListing listFolder(const QString &folder, const ResumeList &resume, int sortMode,
                         bool withThumbnails = false);

// The 96000-byte thumbnail of a book, or empty when it has none or cannot be
// read.
QByteArray readRowThumbnail(const QString &path);

// The name a row is selected by: the drive root for drives, the last path
// component otherwise.
QString rowName(const BookEntry &row);

} // namespace leafreader
