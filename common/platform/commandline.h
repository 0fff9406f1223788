#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace platform {

struct ProgramArguments;

// What a program says about itself on its command line.
struct ProgramInfo {
    QString command; // the name as typed, first on every error line: "bindery"
    QString name;    // the name --version shows: "Bindery"
    QString usage;   // the text --help prints
};

// The command-line rules every program of the suite shares, over
// QCommandLineParser:
//  - "--help" (or "-h") prints the usage on standard output, "--version" (or
//    "-v") the program's name and version; the program then ends with 0;
//  - a word starting with '-' is an option, and "-abc" is one option named
//    "abc"; an unknown option, or one whose value is missing, is a usage
//    error: one line on standard error naming it, and the program ends with 2;
//  - "--" ends the options: every word after it is a positional argument,
//    whatever it looks like (a file named "--title" or "--output=x").
class ProgramCommandLine {
public:
    enum class Outcome { Run, Help, Version, UsageError };

    // `options` are the program's own; --help and --version are added here.
    ProgramCommandLine(ProgramInfo info, const QList<QCommandLineOption> &options = {});

    // Reads the arguments; the first one is the program's own name, as argv
    // has it. Prints nothing.
    Outcome parse(const QStringList &arguments);
    // parse() and the answer to anything but Run: the usage, the version or
    // the error line are printed. Returns the exit status when the program
    // is to end now (0 or 2), nothing when it goes on.
    std::optional<int> read(const QStringList &arguments);
    // The same over the arguments as argv had them. An argument that is not
    // valid UTF-8 where an option's value stands (--screenshot FILE) is a
    // usage error: leaving it out would hand the option the next word.
    std::optional<int> read(const ProgramArguments &arguments);

    const QCommandLineParser &parser() const { return m_parser; }
    bool isSet(const QString &name) const { return m_parser.isSet(name); }
    QString value(const QString &name) const { return m_parser.value(name); }
    QStringList positionalArguments() const { return m_parser.positionalArguments(); }
    // How many of the positional arguments stood before "--"; all of them
    // when there was none.
    qsizetype positionalBeforeEnd() const { return m_positionalBeforeEnd; }
    // The usage error of the last parse(), one line without the program name.
    const QString &error() const { return m_error; }

    // The program's own usage errors: "<command>: line" on standard error;
    // returns 2.
    int usageError(const QString &line) const;
    // The usage on standard output, or the version line; return 0.
    int showUsage() const;
    int showVersion() const;
    // Names that are not valid UTF-8, each on a line of its own on standard
    // error with its bytes escaped; returns 1. For programs that do nothing
    // when a name cannot be used.
    int refuseUnusable(const QStringList &unusable) const;
    QString versionLine() const;
    const ProgramInfo &info() const { return m_info; }

private:
    bool takesValue(const QString &name) const;

    ProgramInfo m_info;
    QList<QCommandLineOption> m_options;
    QCommandLineParser m_parser;
    qsizetype m_positionalBeforeEnd = 0;
    QString m_error;
};

// The program's arguments, read from argv before any application object
// exists (so --help and --version need no display). Qt decodes them as UTF-8;
// an argument whose bytes are not valid UTF-8 would come out altered (U+FFFD),
// so it is kept apart, shown escaped, for the program to report.
struct ProgramArguments {
    QStringList usable;   // the program's name first, then every argument that decodes unaltered
    QStringList unusable; // the others, escaped for showing (\xff)
    // For each of `unusable`: the index in `usable` it stood before.
    QList<qsizetype> unusableAt;
};
ProgramArguments programArguments(int argc, const char *const *argv);

// Writes text as UTF-8, all of it (a U+0000 does not end it), above a
// progress line shown on the same terminal.
void writeText(FILE *stream, const QString &text);
// Writes text and a line end, flushed, so the lines of a long run reach a
// pipe as they are written.
void printLine(FILE *stream, const QString &text);

} // namespace platform
