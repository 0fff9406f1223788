#include "foldertree.h"

#include <platform/filenames.h>
#include <platform/paths.h>

#include <sys/stat.h>
#include <unistd.h>

namespace harvester {

namespace {

QByteArray native(const QString &path)
{
    return platform::nameBytes(path);
}

// The entries of a folder as the file system holds them, hidden ones too,
// by their bytes.
QList<platform::FolderEntry> entriesOf(const QString &folder)
{
    return platform::folderEntries(folder);
}

bool isLinkOrFile(const platform::FolderEntry &entry)
{
    return entry.isLink || !entry.isFolder;
}

// Deletes what a folder holds. True when every subfolder could be removed;
// files that stay do not count here (the folder's own removal then fails).
bool deleteContents(const QString &folder)
{
    bool foldersRemoved = true;
    for (const platform::FolderEntry &entry : entriesOf(folder)) {
        const QString path = platform::joinPath(folder, entry.name);
        if (!fitsPathLimit(path)) {
            foldersRemoved = false;
            continue;
        }
        if (isLinkOrFile(entry)) {
            ::unlink(native(path).constData());
            continue;
        }
        if (!deleteContents(path) || ::rmdir(native(path).constData()) != 0)
            foldersRemoved = false;
    }
    return foldersRemoved;
}

} // namespace

bool fitsPathLimit(const QString &path)
{
    return native(path).size() < kMaxPathBytes;
}

bool isExistingFolder(const QString &path)
{
    return !path.isEmpty() && platform::isFolder(path);
}

bool CreateFolderTree(const QString &path)
{
    if (!fitsPathLimit(path))
        return false;
    const QString folder = platform::withoutTrailingSlash(path);
    if (folder.isEmpty())
        return false;
    const platform::PathInfo info = platform::pathInfo(folder);
    if (info.exists)
        return info.isFolder;
    if (info.isLink)
        return false; // a link that leads nowhere stands in the way
    const QString parent = platform::folderOf(folder);
    if (!parent.isEmpty() && !CreateFolderTree(parent))
        return false;
    return ::mkdir(native(folder).constData(), 0777) == 0 || platform::isFolder(folder);
}

bool DeleteFolderTree(const QString &path)
{
    if (!fitsPathLimit(path))
        return false;
    const QString folder = platform::withoutTrailingSlash(path);
    const platform::PathInfo info = platform::pathInfo(folder);
    if (info.isLink)
        return ::unlink(native(folder).constData()) == 0;
    if (!info.isFolder)
        return false;
    if (!deleteContents(folder))
        return false;
    return ::rmdir(native(folder).constData()) == 0;
}

bool EmptyFolder(const QString &path)
{
    const QString folder = platform::withoutTrailingSlash(path);
    const platform::PathInfo info = platform::pathInfo(folder);
    if (info.isLink || !info.isFolder)
        return false;
    deleteContents(folder);
    return entriesOf(folder).isEmpty();
}

bool holdsFiles(const QString &path)
{
    for (const platform::FolderEntry &entry : entriesOf(path)) {
        if (isLinkOrFile(entry))
            return true;
    }
    return false;
}

} // namespace harvester
