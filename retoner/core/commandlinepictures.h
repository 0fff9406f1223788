#pragma once

#include <QStringList>

namespace retoner {

// The pictures named on the window's command line: the arguments joined into
// one line and split by the suite's command-line rules (words starting with
// '/' that name no path are options and skipped; quoted words; the
// characters * ? " < > | end a word). Of these, the existing files (not
// folders) with a supported extension, as absolute paths, in their order.
QStringList commandLinePictures(const QStringList &arguments);

} // namespace retoner
