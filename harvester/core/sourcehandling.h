#pragma once

#include "imagefolderpacker.h"

#include <book/bookrecords.h>

#include <QString>

namespace harvester {

// The file operations through which a run puts its results in place and
// deletes or recycles its sources; tests hand in ones that fail.
class FileOperations {
public:
    virtual ~FileOperations() = default;

    // Moves a folder to a path where nothing stands: a rename, or across
    // file systems a copy that is then deleted. A failed copy is removed
    // again, so the folder stays whole where it was.
    virtual bool moveFolder(const QString &from, const QString &to);
    // Moves a file or folder to the user's trash, never anywhere else.
    // 0, or the errno value that kept it there.
    virtual int moveToTrash(const QString &path);
    // Deletes a file (a link as a link). 0 or the errno value.
    virtual int deleteFile(const QString &path);
    // Deletes a folder tree (DeleteFolderTree). 0 or the errno value.
    virtual int deleteFolder(const QString &path);
    // The pause between two tries of a move.
    virtual void pause(int milliseconds);
};

// Whether a folder may go once its pictures are in a book: every entry of it
// must be one of the files `pages` (the pages as they were found) came from,
// unchanged since. Otherwise `entry` names the first that is not (its name's
// bytes escaped where they are not UTF-8), and `changed` says whether it is a
// page file that changed.
struct FolderRelease {
    QString entry;
    bool changed = false;
    bool allowed() const { return entry.isEmpty(); }
};
FolderRelease checkFolderRelease(const QString &folder, const kvb::PageList &pages);

// Whether an archive may go once its book is written: it must still be the
// file that was read, unchanged since (otherwise `changed`), and everything
// it holds must be in the book: its pages, and a ComicInfo.xml that was read
// (its values are the book's attributes). Folder entries hold nothing; any
// other entry left out (a text file, a picture of no page format, a hidden
// file, a ComicInfo.xml that was skipped) is named in `entry` and keeps it.
struct ArchiveRelease {
    QString entry;
    bool changed = false;
    bool allowed() const { return entry.isEmpty() && !changed; }
};
ArchiveRelease checkArchiveRelease(const QString &archive, const ArchivePacking &packing);

} // namespace harvester
