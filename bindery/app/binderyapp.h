#pragma once

#include <core/commandline.h>
#include <ui/widgetprompt.h>

#include <QStringList>

class QApplication;

// Book dialogs whose default extension is ".kvb".
class CBinderyPrompt : public platform::WidgetPrompt {
public:
    using platform::WidgetPrompt::WidgetPrompt;
    // The dialog itself adds ".kvb" to a name typed without extension, so
    // its question before replacing a file is about the file really written.
    QString saveFile(const QString &caption, const QString &proposedPath, const QString &filter) override;
    QString openFile(const QString &caption, const QString &folder, const QString &filter) override;
};

// Start-up: the Japanese UI font, the settings store "Bindery", the main
// dialog, the command line once the window is up, and "--screenshot FILE".
// The arguments are read before the application exists (main.cpp), so
// --help and --version need no display.
class CBinderyApp {
public:
    int run(QApplication &app, const bindery::LaunchArguments &launch);
};
