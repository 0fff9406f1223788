#include "drives.h"

#include <QDir>
#include <QStorageInfo>

#include <algorithm>

namespace platform {

bool isPseudoFileSystem(const QByteArray &type)
{
    static const char *const pseudo[] = {
        "proc",   "sysfs",   "cgroup",  "cgroup2",  "devtmpfs", "devpts",     "tmpfs",
        "securityfs", "pstore", "bpf",  "tracefs",  "debugfs",  "mqueue",     "hugetlbfs",
        "fusectl", "configfs", "autofs", "nsfs",    "ramfs",    "binfmt_misc", "efivarfs",
        "overlay", "squashfs", "rpc_pipefs", "fuse.gvfsd-fuse", "fuse.portal", "nfsd",
        "selinuxfs", "none",
    };
    for (const char *name : pseudo) {
        if (type == name)
            return true;
    }
    return false;
}

QString driveRootOf(QStringView rowPath)
{
    const qsizetype bar = rowPath.indexOf(u'|');
    return (bar < 0 ? rowPath : rowPath.left(bar)).toString();
}

QStringList driveRoots(const std::vector<Drive> &drives)
{
    QStringList roots;
    for (const Drive &d : drives)
        roots << d.root;
    return roots;
}

std::vector<Drive> mountedDrives()
{
    std::vector<Drive> drives;
    auto add = [&drives](const QString &root, const QString &name) {
        for (const Drive &d : drives) {
            if (d.root == root)
                return;
        }
        drives.push_back(Drive{root, name.isEmpty() ? root : name});
    };
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString root = volume.rootPath();
        // The system root stays even where it is an overlay (containers).
        if (root != QStringLiteral("/") && isPseudoFileSystem(volume.fileSystemType()))
            continue;
        add(root, volume.displayName());
    }
    std::sort(drives.begin(), drives.end(),
              [](const Drive &a, const Drive &b) { return a.root < b.root; });
    const QString home = QDir::homePath();
    add(home, QStringLiteral("Home (%1)").arg(QDir(home).dirName()));
    return drives;
}

} // namespace platform
