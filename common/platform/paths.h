#pragma once

#include <QString>
#include <QStringView>

namespace platform {

// Paths use '/' as separator. "The folder of a path" is everything before its
// last '/', empty when it has none.
QString folderOf(QStringView path);
QString fileNameOf(QStringView path);
// The text after the last '.' of the file name, empty when there is none.
QString extensionOf(QStringView path);
// The file name without its last extension.
QString baseNameOf(QStringView path);
// folder + '/' + name, without doubling a trailing '/'.
QString joinPath(QStringView folder, QStringView name);
// The path without the '/' a folder chooser may leave at its end; the root
// "/" stays as it is.
QString withoutTrailingSlash(QStringView path);

} // namespace platform
