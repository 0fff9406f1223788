#pragma once

#include <QStringList>

namespace retoner {

// The command-line modes of the program. Each returns the exit status.
//   --batch [--settings FILE.tnp] [--classify 0|1|2|3] [--output DIR] FILE...
//   --write-default-settings FILE.tnp
bool isCommandLineMode(const QStringList &arguments);
int runCommandLine(const QStringList &arguments);

} // namespace retoner
