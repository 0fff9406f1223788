#include "safefile.h"

#include "abandonedentries.h"
#include "filenames.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Links followed before a chain counts as a loop (the kernel's own limit).
constexpr int kMaxLinkSteps = 40;

// A folder is swept at most this often, unless a live writer's file was seen
// there: writing thousands of files into one folder must not read the folder
// thousands of times.
constexpr auto kSweepInterval = std::chrono::seconds(2);

QByteArray folderOfNative(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return path.left(slash);
}

// The end of the chain of symbolic links that starts at `path`: the file the
// last link names, which need not exist yet. Empty when the chain cannot be
// followed (a loop, a link that cannot be read, a folder that cannot be read).
QByteArray followLinks(QByteArray path)
{
    for (int step = 0; step < kMaxLinkSteps; ++step) {
        struct stat st;
        if (::lstat(path.constData(), &st) != 0)
            return errno == ENOENT ? path : QByteArray();
        if (!S_ISLNK(st.st_mode))
            return path;
        QByteArray target(PATH_MAX, Qt::Uninitialized);
        const ssize_t n = ::readlink(path.constData(), target.data(), size_t(target.size()));
        if (n <= 0 || n >= target.size())
            return {};
        target.truncate(n);
        // A relative link is read from the folder that holds the link.
        path = target.startsWith('/') ? target : folderOfNative(path) + '/' + target;
    }
    return {};
}

struct SweepRecord {
    std::chrono::steady_clock::time_point at;
    bool liveSeen = false;
};

void sweepAbandonedTemporaries(const QByteArray &folder, const QByteArray &prefix)
{
    static std::mutex mutex;
    static std::map<QByteArray, SweepRecord> sweeps;
    std::lock_guard lock(mutex);
    const auto now = std::chrono::steady_clock::now();
    const QByteArray key = prefix + '/' + folder;
    const auto it = sweeps.find(key);
    if (it != sweeps.end() && !it->second.liveSeen && now - it->second.at < kSweepInterval)
        return;
    // Removed while the lock is held, so a writer that has just made such a
    // file sees it gone and picks another name.
    const bool liveSeen = removeAbandonedEntries(folder, prefix, QByteArrayLiteral(".tmp"), TemporaryKind::File,
                                                 [](int folderFd, const char *name) { ::unlinkat(folderFd, name, 0); });
    sweeps[key] = {now, liveSeen};
}

// A new temporary file in `folder`, created with O_EXCL and locked before it
// is handed out. Returns its descriptor and sets `path`, or -1.
int createLockedTemporary(const QByteArray &folder, const QByteArray &prefix, mode_t mode, QByteArray &path)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray candidate =
            folder + '/' + prefix + QByteArray::number(QRandomGenerator::global()->generate(), 16) + ".tmp";
        const int fd = ::open(candidate.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return -1;
        }
        // A sweep of another writer may have found the file before it was
        // locked; it then holds the lock or has removed the name already.
        struct stat mine, named;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &mine) == 0
            && ::lstat(candidate.constData(), &named) == 0 && mine.st_dev == named.st_dev
            && mine.st_ino == named.st_ino) {
            path = candidate;
            return fd;
        }
        ::close(fd);
    }
    return -1;
}

// Makes the folder's entries lasting, so a rename in it survives a crash.
// A file system that cannot flush a folder says EINVAL: the rename is then as
// lasting as that file system makes it.
bool syncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return ok;
}

} // namespace

bool writeFully(int fd, const void *data, size_t size)
{
    const auto *src = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t put = ::write(fd, src, size);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        src += put;
        size -= size_t(put);
    }
    return true;
}

void startWriteback(int fd, uint64_t offset, uint64_t length)
{
#ifdef __linux__
    ::sync_file_range(fd, off64_t(offset), off64_t(length), SYNC_FILE_RANGE_WRITE);
#else
    (void)fd, (void)offset, (void)length;
#endif
}

AtomicFile::AtomicFile(const QString &path, FileRole role, const QString &prefix)
    : m_path(path), m_role(role), m_prefix(prefix)
{
}

AtomicFile::~AtomicFile()
{
    discard();
}

bool AtomicFile::open()
{
    discard();
    m_failed = false;
    if (m_path.isEmpty())
        return false;
    const QByteArray native = nameBytes(m_path);
    m_destination = m_role == FileRole::Document ? followLinks(native) : native;
    if (m_destination.isEmpty())
        return false;

    m_keepAttributes = false;
    struct stat st;
    if (::lstat(m_destination.constData(), &st) == 0) {
        if (S_ISREG(st.st_mode)) {
            // Replacing takes only the folder's permission; the file's own
            // decides whether this user may change it.
            if (::faccessat(AT_FDCWD, m_destination.constData(), W_OK, AT_EACCESS) != 0)
                return false;
            m_keepAttributes = true;
            m_mode = st.st_mode & 0777;
            m_owner = st.st_uid;
            m_group = st.st_gid;
        } else if (!(S_ISLNK(st.st_mode) && m_role == FileRole::Output)) {
            return false;
        }
    } else if (errno != ENOENT) {
        return false;
    }

    const QByteArray folder = folderOfNative(m_destination);
    const QByteArray prefix = nameBytes(m_prefix);
    sweepAbandonedTemporaries(folder, prefix);
    // A file that replaces another is readable by its writer alone until it
    // takes the old one's bits at commit(); a new one gets the usual bits.
    m_fd = createLockedTemporary(folder, prefix, m_keepAttributes ? 0600 : 0666, m_temporary);
    return m_fd >= 0;
}

bool AtomicFile::write(const void *data, size_t size)
{
    if (m_fd < 0 || m_failed)
        return false;
    m_failed = !writeFully(m_fd, data, size);
    return !m_failed;
}

bool AtomicFile::commit()
{
    if (m_fd < 0)
        return false;
    bool ok = !m_failed && ::fsync(m_fd) == 0;
    if (ok && m_keepAttributes) {
        // Owner first, as changing it may clear mode bits. Only a privileged
        // user may give a file away; anyone may keep a group of their own.
        if (::fchown(m_fd, m_owner, m_group) != 0)
            (void)::fchown(m_fd, uid_t(-1), m_group);
        ok = ::fchmod(m_fd, m_mode) == 0;
    }
    // The lock is held until the file is in place, so no sweep takes it.
    ok = ok && ::rename(m_temporary.constData(), m_destination.constData()) == 0;
    if (!ok) {
        discard();
        return false;
    }
    ok = syncFolder(folderOfNative(m_destination));
    // The data reached the disk with the fsync above: an error the close
    // reports now (it releases the descriptor all the same) loses nothing.
    ::close(m_fd);
    m_fd = -1;
    m_temporary.clear();
    return ok;
}

void AtomicFile::discard()
{
    if (m_fd < 0)
        return;
    // Removed before the lock goes, so no sweep of another writer races it.
    ::unlink(m_temporary.constData());
    ::close(m_fd);
    m_fd = -1;
    m_temporary.clear();
}

bool flushToDisk(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool flushed = ::fsync(fd) == 0;
    ::close(fd);
    return flushed && syncFolder(folderOfNative(native));
}

ScratchFile::ScratchFile(const QString &folder, const QString &prefix) : m_folder(folder), m_prefix(prefix)
{
}

ScratchFile::~ScratchFile()
{
    if (m_fd < 0)
        return;
    // Removed before the lock goes, so no sweep of another maker races it.
    ::unlink(m_path.constData());
    ::close(m_fd);
}

bool ScratchFile::open()
{
    if (m_fd >= 0)
        return true;
    const QByteArray folder = QFile::encodeName(m_folder.isEmpty() ? QStringLiteral(".") : m_folder);
    const QByteArray prefix = QFile::encodeName(m_prefix);
    sweepAbandonedTemporaries(folder, prefix);
    m_fd = createLockedTemporary(folder, prefix, 0600, m_path);
    return m_fd >= 0;
}

QString ScratchFile::path() const
{
    return m_fd >= 0 ? QFile::decodeName(m_path) : QString();
}

bool ScratchFile::write(const void *data, size_t size)
{
    if (m_fd < 0 || !writeFully(m_fd, data, size))
        return false;
    m_size += size;
    return true;
}

bool writeNewFile(const QString &path, const QByteArray &bytes)
{
    AtomicFile file(path, FileRole::Output);
    return file.open() && file.write(bytes) && file.commit();
}

} // namespace platform
