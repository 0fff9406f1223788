#include "trash.h"

#include "safefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QByteArray parentOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// The device of `path`, or of the nearest folder above it that exists.
bool deviceOfNearest(QByteArray path, dev_t &device)
{
    for (;;) {
        struct stat st;
        if (::stat(path.constData(), &st) == 0) {
            device = st.st_dev;
            return true;
        }
        if (path == "/")
            return false;
        path = parentOf(path);
    }
}

// The top folder of the file system that holds `folder` (whose device is
// `device`): the last folder on the way up that is still on that device.
QByteArray topFolderOf(QByteArray folder, dev_t device)
{
    while (folder != "/") {
        const QByteArray up = parentOf(folder);
        struct stat st;
        if (::stat(up.constData(), &st) != 0 || st.st_dev != device)
            break;
        folder = up;
    }
    return folder;
}

// A folder of the trash that this user owns: made (only for the user) when
// missing, never a link. 0 or the errno value.
int ownFolder(const QByteArray &path)
{
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return errno;
    struct stat st;
    if (::lstat(path.constData(), &st) != 0)
        return errno;
    if (!S_ISDIR(st.st_mode))
        return ENOTDIR;
    if (st.st_uid != ::getuid())
        return EACCES;
    return 0;
}

// The trash folder for an entry on `device`. 0 or the errno value.
int trashFor(const QByteArray &entryFolder, dev_t device, QByteArray &trash)
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty())
        return ENOENT;
    const QByteArray home = QFile::encodeName(dataHome);
    dev_t homeDevice = 0;
    if (!deviceOfNearest(home, homeDevice))
        return ENOENT;
    if (homeDevice == device) {
        // A fresh account may not have its data folder yet.
        QDir().mkpath(dataHome);
        trash = home + "/Trash";
        struct stat st;
        if (::mkdir(trash.constData(), 0700) != 0 && errno != EEXIST)
            return errno;
        if (::stat(trash.constData(), &st) != 0)
            return errno;
        if (!S_ISDIR(st.st_mode))
            return ENOTDIR;
        return st.st_dev == device ? 0 : EXDEV;
    }

    const QByteArray top = topFolderOf(entryFolder, device);
    const QByteArray base = top == "/" ? QByteArray() : top;
    const QByteArray uid = QByteArray::number(uint(::getuid()));
    // An administrator's shared trash: a real folder with the sticky bit.
    const QByteArray shared = base + "/.Trash";
    struct stat st;
    if (::lstat(shared.constData(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)
        && ownFolder(shared + '/' + uid) == 0) {
        trash = shared + '/' + uid;
        return 0;
    }
    trash = base + "/.Trash-" + uid;
    return ownFolder(trash);
}

// A path's bytes as the information file holds them: every byte that is not
// an unreserved character or '/' as %XX.
QByteArray percentEncoded(const QByteArray &path)
{
    QByteArray out;
    for (const char c : path) {
        const auto byte = uint8_t(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9')
            || byte == '-' || byte == '.' || byte == '_' || byte == '~' || byte == '/')
            out += c;
        else
            out += '%' + QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
    }
    return out;
}

int writeInfo(const QByteArray &infoPath, const QByteArray &entryPath)
{
    const int fd = ::open(infoPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    const QByteArray info = "[Trash Info]\nPath=" + percentEncoded(entryPath)
                            + "\nDeletionDate="
                            + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1()
                            + '\n';
    int error = 0;
    if (!writeFully(fd, info.constData(), size_t(info.size())) || ::fsync(fd) != 0)
        error = errno ? errno : EIO;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        ::unlink(infoPath.constData());
    return error;
}

// Renames without replacing what may stand at `to`.
int renameNew(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system that cannot refuse by itself.
    struct stat st;
    if (::lstat(to.constData(), &st) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

} // namespace

int moveToTrash(const QString &path, QString *pathInTrash)
{
    QString absolute = QFileInfo(path).absoluteFilePath();
    while (absolute.size() > 1 && absolute.endsWith(u'/'))
        absolute.chop(1);
    const QByteArray entry = QFile::encodeName(absolute);
    struct stat st;
    if (::lstat(entry.constData(), &st) != 0)
        return errno;
    if (entry == "/")
        return EBUSY;

    QByteArray trash;
    if (const int error = trashFor(parentOf(entry), st.st_dev, trash))
        return error;
    const QByteArray files = trash + "/files";
    const QByteArray infos = trash + "/info";
    for (const QByteArray &folder : {files, infos}) {
        if (const int error = ownFolder(folder))
            return error;
    }

    const QByteArray name = entry.mid(entry.lastIndexOf('/') + 1);
    for (int n = 1; n < 10000; ++n) {
        const QByteArray unique = n == 1 ? name : name + '.' + QByteArray::number(n);
        // The information file is made first and exclusively, so two
        // programs trashing the same name at once take different names.
        const QByteArray info = infos + '/' + unique + ".trashinfo";
        int error = writeInfo(info, entry);
        if (error == EEXIST)
            continue;
        if (error != 0)
            return error;
        const QByteArray target = files + '/' + unique;
        error = renameNew(entry, target);
        if (error == 0) {
            if (pathInTrash)
                *pathInTrash = QFile::decodeName(target);
            return 0;
        }
        ::unlink(info.constData());
        if (error != EEXIST)
            return error;
    }
    return EEXIST;
}

} // namespace platform
