#include "foldertree.h"

#include <platform/paths.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace harvester {

namespace {

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

// The entries of a folder as the file system holds them, hidden ones too,
// without following links.
QFileInfoList entriesOf(const QString &folder)
{
    return QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                      QDir::NoSort);
}

bool isLinkOrFile(const QFileInfo &entry)
{
    return entry.isSymLink() || !entry.isDir();
}

// Deletes what a folder holds. True when every subfolder could be removed;
// files that stay do not count here (the folder's own removal then fails).
bool deleteContents(const QString &folder)
{
    bool foldersRemoved = true;
    for (const QFileInfo &entry : entriesOf(folder)) {
        const QString path = entry.filePath();
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
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool CreateFolderTree(const QString &path)
{
    if (!fitsPathLimit(path))
        return false;
    const QString folder = platform::withoutTrailingSlash(path);
    if (folder.isEmpty())
        return false;
    const QFileInfo info(folder);
    if (info.exists())
        return info.isDir();
    if (info.isSymLink())
        return false; // a link that leads nowhere stands in the way
    const QString parent = platform::folderOf(folder);
    if (!parent.isEmpty() && !CreateFolderTree(parent))
        return false;
    return ::mkdir(native(folder).constData(), 0777) == 0 || QFileInfo(folder).isDir();
}

bool DeleteFolderTree(const QString &path)
{
    if (!fitsPathLimit(path))
        return false;
    const QString folder = platform::withoutTrailingSlash(path);
    const QFileInfo info(folder);
    if (info.isSymLink())
        return ::unlink(native(folder).constData()) == 0;
    if (!info.isDir())
        return false;
    if (!deleteContents(folder))
        return false;
    return ::rmdir(native(folder).constData()) == 0;
}

bool EmptyFolder(const QString &path)
{
    const QString folder = platform::withoutTrailingSlash(path);
    const QFileInfo info(folder);
    if (info.isSymLink() || !info.isDir())
        return false;
    deleteContents(folder);
    return entriesOf(folder).isEmpty();
}

bool holdsFiles(const QString &path)
{
    for (const QFileInfo &entry : entriesOf(path)) {
        if (isLinkOrFile(entry))
            return true;
    }
    return false;
}

} // namespace harvester
