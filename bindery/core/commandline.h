#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace bindery {

struct CommandLine {
    bool openFolderAsDocument = false; // "/D"
    QStringList paths;
};

// The suite's command-line words (platform::splitCommandLine); of the
// options only "/D" or "/d" (the first letter after '/' counts) means
// something: open a folder as document.
CommandLine splitCommandLine(const QString &line,
                             const std::function<bool(const QString &)> &pathExists);

} // namespace bindery
