#pragma once

#include "previewrow.h"

#include "platform/drives.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace glancer {

// True when the file's extension (after the last '.' of the name, compared
// without regard to case) is a type `picExt` shows: "bmp" with bit 0, "jpg"
// or "jpeg" with bit 1, "png" with bit 2.
bool isShownImage(QStringView fileName, int picExt);

// The drive list: one drive row per drive.
std::vector<PreviewRow> driveRows(const std::vector<platform::Drive> &drives);

// The rows of a folder: its visible sub-folders, then its visible image files
// of the shown types, each sorted by shown name without regard to case. Only
// names and sizes are read.
std::vector<PreviewRow> listFolder(const QString &folder, int picExt);

// The page list of a folder: the names (no path) of its visible image files
// of the shown types, sorted without regard to case.
QStringList pageNames(const QString &folder, int picExt);
// The 1-based place of `name` in the page list: the name itself, else the
// first name that differs only in case; 0 when it is not there.
int pagePosition(const QStringList &names, QStringView name);

// The Size column: bytes up to 10239, then K, M and (from 10 GiB) G, each
// quotient cut off.
QString sizeText(uint64_t size);

// The name a row is selected by: the drive root for drives, the last path
// component otherwise.
QString rowName(const PreviewRow &row);
// What the File column shows: a drive's display name, else the last path
// component as shownName shows it.
QString rowLabel(const PreviewRow &row);

} // namespace glancer
