#pragma once

#include <QString>

namespace harvester {

// The longest path the file system takes, terminating zero included; paths
// of this many bytes or more (in the file system's encoding) are passed over.
constexpr int kMaxPathBytes = 4096;
// What the folder boxes accept.
constexpr int kMaxFolderChars = kMaxPathBytes - 1;

bool fitsPathLimit(const QString &path);

// An existing folder, reached through links if need be.
bool isExistingFolder(const QString &path);

// Makes the folder and the missing folders above it. True when the folder
// exists afterwards; false when the path is too long or a file stands in
// the way. A trailing '/' is ignored.
bool CreateFolderTree(const QString &path);

// Removes the folder with everything in it. Files that cannot be deleted are
// passed over, and then the folders holding them stay and the result is
// false. A symbolic link is removed as a link and its target is never
// touched, also when the path itself is one. A trailing '/' is ignored.
bool DeleteFolderTree(const QString &path);

// Removes everything inside the folder, links as links, and keeps the folder.
// True when it is empty afterwards.
bool EmptyFolder(const QString &path);

// True when the folder holds at least one entry that is not a folder.
bool holdsFiles(const QString &path);

} // namespace harvester
