#pragma once

#include <QString>
#include <QStringList>

namespace platform {

class Prompt;

// Where a move of a list screen between folders leads: the new current folder
// and the row to select there.
struct FolderMove {
    QString folder;     // empty = the drive list
    QString selectName; // a folder's name, or a drive root in the drive list
};

// One folder up: the folder loses its last component (a trailing '/' is
// ignored) and that component is selected in its parent. From a drive root
// (or a folder without a parent) the drive list follows and selects it.
FolderMove upOneFolder(const QString &folder, const QStringList &driveRoots);
// The drive list, selecting the drive that holds `folder`: the longest drive
// root the folder lies in, else "/".
FolderMove toDriveList(const QString &folder, const QStringList &driveRoots);

// The folder a list screen can show now: while `folder` is not an existing
// folder the user is asked "フォルダーが見つかりません。" (Retry/Cancel); Retry
// looks again, Cancel gives the empty folder (the drive list). An empty
// folder is returned as it is.
QString folderToShow(const QString &folder, Prompt &prompt);

// The name a list row is selected by: the drive root of a drive row's path
// ("root|display name"), the last component of any other row's path.
QString rowSelectName(QStringView rowPath, bool isDrive);

} // namespace platform
