#pragma once

#include <platform/prompt.h>

#include <QStringList>

class QApplication;

// Real message boxes, with Cancel as the default answer of the closing question.
class CBinderyPrompt : public platform::WidgetPrompt {
public:
    using platform::WidgetPrompt::WidgetPrompt;
    platform::PromptAnswer message(const QString &text, platform::PromptIcon icon, platform::PromptButtons buttons,
                                   const QString &caption) override;
};

// Start-up: the Japanese UI font, the settings store "Bindery", the main
// dialog, the command line once the window is up, and "--screenshot FILE".
class CBinderyApp {
public:
    // The UI font: "MS UI Gothic", falling back to "Noto Sans CJK JP".
    static void setUiFont(QApplication &app);
    int run(QApplication &app, const QStringList &arguments);
};
