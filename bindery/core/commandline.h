#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace bindery {

struct CommandLine {
    bool openFolderAsDocument = false; // "/D"
    QStringList paths;
};

// The program's arguments as one line: each argument that holds white space
// is put in double quotes.
QString joinArguments(const QStringList &arguments);

// Splits the line into options and paths. A word starting with '/' is an
// option unless it names an existing path or holds a second '/' ('/' also
// starts every absolute path here); "/D" or "/d" asks to open a folder as
// document. A word starting with '"' is a path up to the first of
// * ? " < > |; any other word runs to white space or to one of those
// characters. Empty paths are dropped.
CommandLine splitCommandLine(const QString &line,
                             const std::function<bool(const QString &)> &pathExists);

} // namespace bindery
