#pragma once

#include <QString>

namespace platform {

// A new, empty, uniquely named file in `folder` (empty folder: the current
// folder) whose name is prefix + random + ".tmp", created with O_EXCL. It
// lives beside its target so that the final rename cannot cross file systems.
// Returns an open write descriptor and the path, or fd -1 on failure.
struct TempFile {
    int fd = -1;
    QString path;
};
TempFile createTempFile(const QString &folder, const QString &prefix = QStringLiteral("$KV"));

// Flushes `tempPath` to disk, renames it over `target` (no moment without a
// target) and flushes the folder entry. On failure the target is untouched
// and the temporary file still exists; the caller removes it.
bool replaceFile(const QString &tempPath, const QString &target);

// fsync of an open descriptor; false on an I/O error (a full disk shows here
// on some file systems).
bool syncDescriptor(int fd);

} // namespace platform
