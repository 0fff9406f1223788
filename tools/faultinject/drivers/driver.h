#pragma once

#include <platform/prompt.h>

#include <QString>
#include <QStringList>

#include <functional>
#include <map>

namespace faultdriver {

// One save of a window program, run through the program's own library:
// the words after the command name in, true when every write succeeded.
using Save = std::function<bool(platform::ScriptedPrompt &prompt, const QStringList &words)>;

// The main of a driver: runs the save its first word names (each takes at
// least one more word), with messages answered as a scripted prompt answers
// them and printed to standard error. Exit status 0 when the save succeeded,
// 1 when it failed, 2 for a usage error.
int runDriver(int argc, char **argv, const std::map<QString, Save> &saves);

// Each path made absolute, as the window programs hand paths on.
QStringList absolutePaths(const QStringList &paths);
QString absolutePath(const QString &path);

} // namespace faultdriver
