#pragma once

#include "core/runcontroller.h"

#include <platform/commandline.h>

#include <QList>
#include <QString>
#include <QStringList>

// Harvester's command line.
//   harvester [--work DIR] [FOLDER]        the dialog (the boxes filled in)
//   harvester --screenshot FILE [--commands ID,...]   the dialog, written to a
//                                          PNG after the commands (a run) ran
//   harvester --run 0|1|2|3 [options] FOLDER   one run without a window
struct CommandLine {
    enum class Action { Dialog, Run, Help, Version, UsageError };

    Action action = Action::Dialog;
    QString error; // the one line of a usage error
    harvester::RunOptions options;
    bool yes = false;
    bool quiet = false; // no progress line
    QString screenshot;
    QList<int> commands; // with --screenshot: the dialog's command ids to run first

    // The arguments with the program's name first. --help, --version, the
    // usage errors and "--" follow the rules every program of the suite shares.
    static CommandLine parse(const QStringList &arguments);
    static QString usage();
    static platform::ProgramInfo programInfo();
};

// One run through the core, without a window: log lines to standard output
// as they are made, messages to standard error; questions are answered by
// --yes (OK, Yes, Retry; a Retry at most 3 times for one question) or
// Cancel. Ctrl-C is Stop; a second Ctrl-C during a PDF run ends the
// extractor as closing the window would. 0 when the run reached "完了".
int runFromCommandLine(const CommandLine &commandLine);
