#pragma once

#include <QStringList>

class QApplication;
struct CommandLine;

// Start-up: the command line decides between a run without a window and the
// dialog (with the Japanese UI font, the settings store "Harvester" and the
// located extractor).
class CHarvesterApp {
public:
    static int main(int argc, char **argv);

private:
    static int runDialog(QApplication &app, const CommandLine &commandLine);
};
