#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace platform {

// A place the drive list offers: a mounted volume or the home folder.
struct Drive {
    QString root;        // the folder it opens, e.g. "/" or "/media/usb"
    QString displayName; // what the list shows
    // The row path the drive list stores: root + '|' + display name.
    QString rowPath() const { return root + u'|' + displayName; }
};

// The root of a drive row's path ("root|display name"); a path without '|'
// is taken whole.
QString driveRootOf(QStringView rowPath);
// The roots of the drives, in their order.
QStringList driveRoots(const std::vector<Drive> &drives);

// The mounted volumes that are valid and ready and hold a real file system
// (pseudo file systems such as proc, sysfs or cgroup are left out), then the
// home folder. Sorted by root; no root twice.
std::vector<Drive> mountedDrives();

// True when a file system type names a pseudo or memory file system that the
// drive list leaves out.
bool isPseudoFileSystem(const QByteArray &type);

} // namespace platform
