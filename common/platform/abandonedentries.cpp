#include "abandonedentries.h"

#include <cctype>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool isTemporaryName(const char *name, const QByteArray &prefix, const QByteArray &suffix)
{
    const size_t length = std::strlen(name);
    const size_t head = size_t(prefix.size());
    const size_t tail = size_t(suffix.size());
    if (length < head + tail + 1 || length > head + tail + 8 || std::memcmp(name, prefix.constData(), head) != 0
        || std::memcmp(name + length - tail, suffix.constData(), tail) != 0)
        return false;
    for (size_t i = head; i < length - tail; ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(name[i])))
            return false;
    }
    return true;
}

bool removeAbandonedEntries(const QByteArray &folder, const QByteArray &prefix, const QByteArray &suffix,
                            TemporaryKind kind, const std::function<void(int folderFd, const char *name)> &remove)
{
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return false;
    const int dirFd = ::dirfd(dir);
    const int openFlags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (kind == TemporaryKind::Folder ? O_DIRECTORY : 0);
    bool liveSeen = false;
    while (const dirent *entry = ::readdir(dir)) {
        if (!isTemporaryName(entry->d_name, prefix, suffix))
            continue;
        const int fd = ::openat(dirFd, entry->d_name, openFlags);
        if (fd < 0)
            continue;
        struct stat locked, named;
        const bool rightKind = ::fstat(fd, &locked) == 0
                               && (kind == TemporaryKind::Folder ? S_ISDIR(locked.st_mode) : S_ISREG(locked.st_mode));
        if (rightKind) {
            if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
                liveSeen = true;
            } else if (::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0
                       && named.st_dev == locked.st_dev && named.st_ino == locked.st_ino) {
                remove(dirFd, entry->d_name);
            }
        }
        ::close(fd);
    }
    ::closedir(dir);
    return liveSeen;
}

} // namespace platform
