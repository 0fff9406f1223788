#include "hiddenentries.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>

#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace platform {

namespace {

// The FAT hidden attribute of a file or folder; false where it cannot be read.
bool hasFatHiddenAttribute(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    __u32 attributes = 0;
    const bool ok = ::ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &attributes) == 0;
    ::close(fd);
    return ok && (attributes & ATTR_HIDDEN) != 0;
}

} // namespace

HiddenEntries::HiddenEntries(const QString &folder)
{
    QFile list(QDir(folder).filePath(QStringLiteral(".hidden")));
    if (list.size() <= 1024 * 1024 && list.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : list.readAll().split('\n')) {
            const QString name = QString::fromUtf8(line).trimmed();
            if (!name.isEmpty())
                m_listed.insert(name);
        }
    }
    const QByteArray type = QStorageInfo(folder).fileSystemType();
    m_fatAttributes = type == "vfat" || type == "msdos";
}

bool HiddenEntries::isHidden(const QFileInfo &entry) const
{
    const QString name = entry.fileName();
    if (name.startsWith(u'.') || m_listed.contains(name))
        return true;
    return m_fatAttributes && hasFatHiddenAttribute(entry.filePath());
}

} // namespace platform
