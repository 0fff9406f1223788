#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace platform {
struct ProgramArguments;
}

namespace bindery {

struct CommandLine {
    bool openFolderAsDocument = false; // "/D"
    QStringList paths;
};

// The program's arguments once the options every program shares (--help,
// --version, "--") and --screenshot FILE are taken out.
struct LaunchArguments {
    QString screenshot;
    QStringList words; // split by the editor's rules (splitCommandLine)
    QStringList paths; // the words after "--": paths, never options
};

QString usageText();

// Reads the arguments (the program's name first). --help and --version are
// answered, and an unknown option is a usage error, before any window
// exists: the exit status is returned then. Otherwise fills `launch`.
std::optional<int> readLaunchArguments(const platform::ProgramArguments &arguments, LaunchArguments &launch);

// Splits the line by the suite's command-line rules (platform::splitCommandLine);
// of the options, "/D" or "/d" asks to open a folder as document. Without
// `optionsAllowed` (the words after "--") every word is a path. Empty paths
// are dropped, so an unmatched "*.jpg" gives no path at all.
CommandLine splitCommandLine(const QString &line, const std::function<bool(const QString &)> &pathExists,
                             bool optionsAllowed = true);

} // namespace bindery
