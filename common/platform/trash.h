#pragma once

#include <QString>

namespace platform {

// Moves a file or folder into the user's trash, as the desktop's trash
// (freedesktop.org) has it: the home trash ($XDG_DATA_HOME/Trash) for an
// entry on the home file system; for an entry on another file system the
// trash of that file system ($topdir/.Trash/$uid where an administrator made
// $topdir/.Trash, else $topdir/.Trash-$uid). The information file is written
// and flushed first, then the entry is renamed into the trash without
// replacing anything there. Nothing is copied and no other place is ever
// used: an entry none of these takes stays where it is.
// Returns 0, or the errno value that kept the entry out of the trash.
int moveToTrash(const QString &path, QString *pathInTrash = nullptr);

} // namespace platform
