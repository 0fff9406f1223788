#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace platform {

// The words of a program's command line, split by the suite's rules.
struct CommandWords {
    QStringList options; // words starting with '/' that name no path, whole
    QStringList paths;
};

// The program's arguments as one line: each argument that holds white space
// is put in double quotes.
QString joinArguments(const QStringList &arguments);

// Splits the line at white space into options and paths. A word starting
// with '/' is an option (the whole word) unless its path part names an
// existing path or holds a second '/' ('/' also starts every absolute path
// here). A word starting with '"' is
// a path up to the first of * ? " < > |; any other word runs to white space or
// to one of those characters; the rest of a word up to white space is
// skipped. Empty paths are dropped.
// With optionsAllowed false (the words after "--") every word is a path.
CommandWords splitCommandLine(const QString &line, const std::function<bool(const QString &)> &pathExists,
                              bool optionsAllowed = true);

} // namespace platform
