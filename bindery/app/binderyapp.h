#pragma once

#include <core/commandline.h>
#include <ui/widgetprompt.h>

#include <QStringList>

class QApplication;

// Book dialogs: a name typed without extension is taken as NAME.kvb.
class CBinderyPrompt : public platform::WidgetPrompt {
public:
    explicit CBinderyPrompt(QWidget *parent = nullptr) : platform::WidgetPrompt(parent)
    {
        setDefaultSuffix(QStringLiteral("kvb"));
    }
};

// Start-up: the Japanese UI font, the settings store "Bindery", the main
// dialog, the command line once the window is up, and "--screenshot FILE".
// The arguments are read before the application exists (main.cpp), so
// --help and --version need no display.
class CBinderyApp {
public:
    int run(QApplication &app, const bindery::LaunchArguments &launch);
};
