#include "sourcehandling.h"

#include "foldertree.h"

#include <platform/filenames.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace harvester {

namespace {

bool makeFolder(const QString &path)
{
    return ::mkdir(platform::nameBytes(path).constData(), 0777) == 0;
}

// Copies what a folder holds into another; links are copied as links. False
// at the first failure.
bool copyContents(const QString &from, const QString &to)
{
    const QFileInfoList entries = QDir(from).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo &entry : entries) {
        const QString target = to + u'/' + entry.fileName();
        if (entry.isSymLink()) {
            if (!QFile::link(entry.symLinkTarget(), target))
                return false;
        } else if (entry.isDir()) {
            if (!makeFolder(target) || !copyContents(entry.filePath(), target))
                return false;
        } else if (!QFile::copy(entry.filePath(), target)) {
            return false;
        }
    }
    return true;
}

} // namespace

bool FileOperations::moveFolder(const QString &from, const QString &to)
{
    const QByteArray source = platform::nameBytes(from);
    const QByteArray destination = platform::nameBytes(to);
    if (::rename(source.constData(), destination.constData()) == 0)
        return true;
    if (errno != EXDEV || !makeFolder(to))
        return false;
    if (!copyContents(from, to)) {
        DeleteFolderTree(to);
        return false;
    }
    // The pictures are in place; what stays of the source is emptied before
    // the next use of the work folder.
    DeleteFolderTree(from);
    return true;
}

bool FileOperations::moveToTrash(const QString &path)
{
    // The home trash lives in the data folder; where that folder is missing
    // (a fresh account) the trash could not be made there, so it is made first.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!dataHome.isEmpty())
        QDir().mkpath(dataHome);
    return QFile::moveToTrash(path);
}

void FileOperations::deleteFile(const QString &path)
{
    ::unlink(platform::nameBytes(path).constData());
}

bool FileOperations::deleteFolder(const QString &path)
{
    return DeleteFolderTree(path);
}

void FileOperations::pause(int milliseconds)
{
    QThread::msleep(milliseconds);
}

} // namespace harvester
