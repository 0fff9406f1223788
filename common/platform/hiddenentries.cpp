#include "hiddenentries.h"

#include "filenames.h"
#include "paths.h"

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
    const int fd = ::open(nameBytes(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
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
    QFile list;
    if (openFile(list, joinPath(folder, u".hidden"), QIODevice::ReadOnly) && list.size() <= 1024 * 1024) {
        for (const QByteArray &line : list.readAll().split('\n')) {
            const QByteArray name = line.trimmed();
            if (!name.isEmpty())
                m_listed.insert(nameFromBytes(name));
        }
    }
    // The folder's volume: the folder itself when Qt can name it, else the
    // nearest folder above it that Qt can.
    QString volumeFolder = folder;
    while (carriesRawBytes(volumeFolder))
        volumeFolder = folderOf(volumeFolder);
    const QByteArray type = QStorageInfo(volumeFolder.isEmpty() ? QStringLiteral("/") : volumeFolder).fileSystemType();
    m_fatAttributes = type == "vfat" || type == "msdos";
}

bool HiddenEntries::isHidden(QStringView name, const QString &path) const
{
    if (name.startsWith(u'.') || m_listed.contains(name.toString()))
        return true;
    return m_fatAttributes && hasFatHiddenAttribute(path);
}

} // namespace platform
