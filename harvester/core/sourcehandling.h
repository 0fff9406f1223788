#pragma once

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

} // namespace harvester
