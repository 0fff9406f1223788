#pragma once

#include <QByteArray>

#include <functional>

namespace platform {

// Temporary entries (a file being written, a program's work folder) are named
// prefix, 1 to 8 hex digits, suffix, and their owner holds an exclusive flock
// on them while it works. Whoever finds one whose lock can be taken knows its
// owner has ended without cleaning up and may remove it.
bool isTemporaryName(const char *name, const QByteArray &prefix, const QByteArray &suffix);

enum class TemporaryKind { File, Folder };

// Removes the temporary entries of `prefix` and `suffix` in `folder` whose
// owner is gone. Each is opened without following links and passed over
// unless it is of `kind`; `remove` (given the folder's descriptor and the
// entry's name) is called while the lock is held, and only while the name
// still leads to the locked entry, so an owner that has just made it sees it
// gone and picks another name. Returns whether an entry of an owner still at
// work was seen.
bool removeAbandonedEntries(const QByteArray &folder, const QByteArray &prefix, const QByteArray &suffix,
                            TemporaryKind kind, const std::function<void(int folderFd, const char *name)> &remove);

} // namespace platform
