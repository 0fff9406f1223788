#pragma once

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
    // Moves a file or folder to the desktop's trash.
    virtual bool moveToTrash(const QString &path);
    // Deletes a file (a link as a link); the result is not looked at.
    virtual void deleteFile(const QString &path);
    // Deletes a folder tree (DeleteFolderTree).
    virtual bool deleteFolder(const QString &path);
    // The pause between two tries of a move.
    virtual void pause(int milliseconds);
};

} // namespace harvester
