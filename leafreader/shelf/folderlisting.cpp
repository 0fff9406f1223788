#include "folderlisting.h"

#include "resumelist.h"
#include "rowsort.h"

#include "book/kvbfile.h"
#include "platform/filenames.h"
#include "platform/foldermove.h"
#include "platform/hiddenentries.h"
#include "platform/paths.h"

#include <QDir>
#include <QFileInfo>

namespace leafreader {

std::vector<BookEntry> driveRows(const std::vector<platform::Drive> &drives)
{
    std::vector<BookEntry> rows;
    rows.reserve(drives.size());
    for (const platform::Drive &drive : drives) {
        BookEntry row;
        row.kind = BookEntry::Drive;
        row.path = drive.rowPath();
        row.title = drive.displayName;
        rows.push_back(std::move(row));
    }
    return rows;
}

QByteArray readRowThumbnail(const QString &path)
{
    kvb::BookHeader header;
    QByteArray thumbnail(kvb::kThumbnailBytes, Qt::Uninitialized);
    kvb::KVBFile::ReadOptions options;
    options.header = &header;
    options.thumbnail = reinterpret_cast<uint8_t *>(thumbnail.data());
    if (!kvb::KVBFile::readBook(path, options) || !(header.thumbnailFlag & 1))
        return {};
    return thumbnail;
}

FolderListing listFolder(const QString &folder, const ResumeList &resume, int sortMode,
                         bool withThumbnails)
{
    FolderListing listing;
    std::vector<BookEntry> folders, books;
    const platform::HiddenEntries hidden(folder);
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo &info : entries) {
        if (hidden.isHidden(info))
            continue;
        if (info.isDir()) {
            BookEntry row;
            row.kind = BookEntry::Folder;
            row.path = platform::joinPath(folder, info.fileName());
            row.title = info.fileName();
            folders.push_back(std::move(row));
            continue;
        }
        if (info.suffix().compare(QStringLiteral("kvb"), Qt::CaseInsensitive) != 0)
            continue;
        BookEntry row;
        row.kind = BookEntry::BookFile;
        row.path = platform::joinPath(folder, info.fileName());
        row.fileSize = uint64_t(info.size());
        const int known = resume.findPath(row.path);
        if (known >= 0) {
            const BookEntry &entry = resume.entries()[size_t(known)];
            row.page = entry.page;
            row.zoom = entry.zoom;
            row.singlePage = entry.singlePage;
        }
        if (!readListInformation(row, withThumbnails)) {
            listing.failedBooks << row.path;
            continue;
        }
        books.push_back(std::move(row));
    }
    for (const platform::UnrepresentableEntry &entry : platform::unrepresentableEntries(folder)) {
        if (!entry.isHidden() && (entry.isFolder || entry.name.toLower().endsWith(".kvb")))
            listing.failedBooks << entry.shownPath(folder);
    }
    sortRows(folders, sortMode);
    sortRows(books, sortMode);
    listing.bookCount = int(books.size());
    listing.rows = std::move(folders);
    listing.rows.insert(listing.rows.end(), std::make_move_iterator(books.begin()),
                        std::make_move_iterator(books.end()));
    return listing;
}

QString rowName(const BookEntry &row)
{
    return platform::rowSelectName(row.path, row.kind == BookEntry::Drive);
}

} // namespace leafreader
