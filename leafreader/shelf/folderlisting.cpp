#include "folderlisting.h"

#include "resumelist.h"
#include "rowsort.h"

#include "book/kvbfile.h"
#include "platform/filenames.h"
#include "platform/foldermove.h"
#include "platform/hiddenentries.h"
#include "platform/paths.h"


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
    for (const platform::FolderEntry &entry : platform::folderEntries(folder)) {
        const QString path = platform::joinPath(folder, entry.name);
        if (hidden.isHidden(entry.name, path))
            continue;
        if (entry.isFolder) {
            BookEntry row;
            row.kind = BookEntry::Folder;
            row.path = path;
            row.title = platform::shownName(entry.name);
            folders.push_back(std::move(row));
            continue;
        }
        if (!entry.isFile || platform::extensionOf(entry.name).compare(u"kvb", Qt::CaseInsensitive) != 0)
            continue;
        BookEntry row;
        row.kind = BookEntry::BookFile;
        row.path = path;
        row.fileSize = uint64_t(entry.size);
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
