#include "sourcehandling.h"

#include "foldertree.h"

#include <platform/filenames.h>
#include <platform/filestamp.h>
#include <platform/paths.h>
#include <platform/safefile.h>
#include <platform/trash.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QThread>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace harvester {

namespace {

bool makeFolder(const QString &path)
{
    return ::mkdir(platform::nameBytes(path).constData(), 0777) == 0;
}

// A file copied whole and flushed to disk, as the work folder's copy is
// deleted right after.
bool copyFile(const QString &from, const QString &to)
{
    QFile in;
    if (!platform::openFile(in, from, QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    return bytes.size() == in.size() && platform::writeNewFile(to, bytes);
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
        } else if (!copyFile(entry.filePath(), target)) {
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

int FileOperations::moveToTrash(const QString &path)
{
    return platform::moveToTrash(path);
}

int FileOperations::deleteFile(const QString &path)
{
    return ::unlink(platform::nameBytes(path).constData()) == 0 ? 0 : errno;
}

int FileOperations::deleteFolder(const QString &path)
{
    errno = 0;
    if (DeleteFolderTree(path))
        return 0;
    return errno != 0 ? errno : EIO;
}

void FileOperations::pause(int milliseconds)
{
    QThread::msleep(milliseconds);
}

FolderRelease checkFolderRelease(const QString &folder, const kvb::PageList &pages)
{
    QHash<QString, std::optional<platform::FileStamp>> packed;
    for (const kvb::PageEntry &page : pages)
        packed.insert(platform::fileNameOf(page.sourcePath), page.sourceStamp);

    FolderRelease release;
    const QByteArray native = platform::nameBytes(folder);
    DIR *dir = ::opendir(native.constData());
    if (!dir) {
        release.entry = platform::escapedText(folder);
        return release;
    }
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const QString decoded = platform::nameFromBytes(name);
        const auto page = packed.constFind(decoded);
        if (page == packed.constEnd()) {
            release.entry = platform::shownName(decoded);
            break;
        }
        const int fd = ::openat(::dirfd(dir), entry->d_name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        const std::optional<platform::FileStamp> now = fd >= 0 ? platform::fileStampOf(fd) : std::nullopt;
        if (fd >= 0)
            ::close(fd);
        if (!now || !page.value() || *now != *page.value()) {
            release.entry = platform::shownName(decoded);
            release.changed = true;
            break;
        }
    }
    ::closedir(dir);
    return release;
}

ArchiveRelease checkArchiveRelease(const QString &archive, const ArchivePacking &packing)
{
    ArchiveRelease release;
    QFile file;
    const std::optional<platform::FileStamp> now =
        platform::openFile(file, archive, QIODevice::ReadOnly) ? platform::fileStampOf(file.handle()) : std::nullopt;
    if (!now || !packing.stamp || *now != *packing.stamp) {
        release.changed = true;
        return release;
    }
    for (const kvb::ArchiveEntry &entry : packing.import.others) {
        const bool taken = entry.role == kvb::EntryRole::ComicInfo && packing.import.comicInfoSkipped.isEmpty();
        if (!taken && entry.leftOut != kvb::LeftOut::Folder) {
            release.entry = entry.name;
            break;
        }
    }
    return release;
}

} // namespace harvester
