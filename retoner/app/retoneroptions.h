#pragma once

#include <QString>
#include <QStringList>

namespace retoner {

// What the command line asks of the program.
struct RetonerOptions {
    enum Mode {
        Window,        // the main dialog, with the images registered
        Batch,         // --batch: convert without a window
        WriteDefaults, // --write-default-settings FILE
        Help,
        Version,
        UsageError,    // error holds the one line that says why
    };
    Mode mode = Window;
    QString error;
    bool hasSettings = false;
    QString settingsFile;  // --settings
    int classifyMode = 0;  // --classify
    bool hasOutput = false;
    QString outputFolder;  // --output
    bool quiet = false;    // --quiet: no progress line
    QString defaultsFile;  // --write-default-settings
    QString screenshot;    // --screenshot: write the window to this file and exit
    QStringList files;     // everything that is not an option ("--" ends the options)
};

RetonerOptions parseRetonerOptions(const QStringList &arguments);
QString retonerUsage();
QString retonerVersionLine();

} // namespace retoner
