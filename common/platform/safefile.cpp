#include "safefile.h"

#include "paths.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

TempFile createTempFile(const QString &folder, const QString &prefix)
{
    const QString base = folder.isEmpty() ? QStringLiteral(".") : folder;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = prefix + QString::number(QRandomGenerator::global()->generate(), 16)
                             + QStringLiteral(".tmp");
        const QString path = joinPath(base, name);
        const QByteArray native = QFile::encodeName(path);
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0)
            return {fd, path};
        if (errno != EEXIST)
            break;
    }
    return {};
}

bool syncDescriptor(int fd)
{
    return ::fsync(fd) == 0;
}

bool replaceFile(const QString &tempPath, const QString &target)
{
    const QByteArray from = QFile::encodeName(tempPath);
    const QByteArray to = QFile::encodeName(target);

    // A folder in the target's place must not be replaced by rename(), which
    // would fail anyway for a non-empty one; refuse it explicitly.
    struct stat st;
    if (::stat(to.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        return false;

    const int fd = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    if (!synced)
        return false;

    if (::rename(from.constData(), to.constData()) != 0)
        return false;

    const QString folder = folderOf(target);
    const QByteArray dir = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    const int dfd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        // The data is in the target already; a folder that cannot be flushed
        // (some file systems refuse) does not undo that.
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

} // namespace platform
