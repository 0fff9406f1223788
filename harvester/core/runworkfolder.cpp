#include "runworkfolder.h"

#include "foldertree.h"

#include <platform/abandonedentries.h>
#include <platform/filenames.h>
#include <platform/paths.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace harvester {

RunWorkFolder::~RunWorkFolder()
{
    remove();
}

bool RunWorkFolder::open()
{
    if (m_fd >= 0)
        return true;
    const QString work = platform::withoutTrailingSlash(m_workFolder);
    const QByteArray nativeWork = platform::nameBytes(work);
    const QByteArray prefix = platform::nameBytes(kPrefix);
    platform::removeAbandonedEntries(nativeWork, prefix, QByteArray(), platform::TemporaryKind::Folder,
                                     [&work](int, const char *name) {
                                         DeleteFolderTree(platform::joinPath(work, QFile::decodeName(name)));
                                     });
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = prefix + QByteArray::number(QRandomGenerator::global()->generate(), 16);
        const QByteArray path = nativeWork + '/' + name;
        if (::mkdir(path.constData(), 0700) != 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        // Another run's sweep may have found the folder before it was locked;
        // it then holds the lock or has removed the folder already.
        struct stat mine, named;
        if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &mine) == 0
            && ::lstat(path.constData(), &named) == 0 && mine.st_dev == named.st_dev && mine.st_ino == named.st_ino) {
            m_fd = fd;
            m_path = QFile::decodeName(path);
            return true;
        }
        if (fd >= 0)
            ::close(fd);
    }
    return false;
}

bool RunWorkFolder::prepareItemFolder()
{
    if (m_fd < 0)
        return false;
    const QString item = itemFolder();
    if (QFile::exists(item) || QFileInfo(item).isSymLink())
        DeleteFolderTree(item);
    return ::mkdir(platform::nameBytes(item).constData(), 0700) == 0;
}

void RunWorkFolder::remove()
{
    if (m_fd < 0)
        return;
    // Removed while the lock is held, so no other run's sweep races it.
    DeleteFolderTree(m_path);
    ::close(m_fd);
    m_fd = -1;
    m_path.clear();
}

} // namespace harvester
