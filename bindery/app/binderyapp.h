#pragma once

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
class CBinderyApp {
public:
    int run(QApplication &app, const QStringList &arguments);
};
