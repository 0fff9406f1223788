#pragma once

#include <QString>
#include <QStringList>

namespace retouch {

// What the command line asks for:
//   retouch [IMAGE]                          the window, with the picture
//   retouch --screenshot FILE [IMAGE]        the window written to FILE, then exit
//   retouch --apply PROFILE.csv [--quality Q] --output DIR [--quiet] IMAGE...
//   retouch --help | --version
// "--" ends the options.
struct CommandLine {
    enum Mode { Window, Apply, Help, Version, UsageError };
    Mode mode = Window;
    QString image;      // Window: the picture to open, if any
    QString screenshot; // Window: where to write the window, if asked
    QString profile;    // Apply
    QString outputFolder;
    int quality = -1; // Apply: -1 when not given
    bool quiet = false; // Apply: no progress line
    QStringList images;
    QString error; // UsageError: one line naming the fault
};

CommandLine parseCommandLine(const QStringList &arguments);

// The usage text for --help and usage errors.
QString usageText();

} // namespace retouch
