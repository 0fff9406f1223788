#pragma once

#include "platform/prompt.h"
#include "platform/settings.h"
#include "ui/language.h"
#include "ui/screenshotrun.h"
#include "ui/widgetprompt.h"

#include <QApplication>
#include <QString>

namespace ui {

// The rest of main() for a program with one main window, once its command
// line is read: the application named `name`, the program's one settings
// store, its start-up object (Startup(options, store, prompt), with start()
// and frame()) under the single-instance rule, then the event loop, or with
// options.screenshot set a screenshot run: its messages are answered at once
// and it stands beside a running copy instead of raising it.
template <typename Startup, typename Options>
int runWindowProgram(int &argc, char **argv, const QString &name, const Options &options)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(name);
    QApplication::setOrganizationName(QStringLiteral("Velloran"));
    loadTexts(name.toLower());
    const bool screenshot = !options.screenshot.isEmpty();

    platform::WidgetPrompt widgetPrompt;
    platform::UnattendedPrompt unattended;
    platform::Prompt &prompt = screenshot ? static_cast<platform::Prompt &>(unattended) : widgetPrompt;

    const auto store = platform::openSettings(name);
    Startup startup(options, *store, prompt);
    switch (startup.start(!screenshot)) {
    case Startup::StartResult::AnotherCopyRuns: return 0;
    case Startup::StartResult::Failed: return 1;
    case Startup::StartResult::Running: break;
    }
    widgetPrompt.setParent(&startup.frame());

    if (screenshot)
        finishScreenshotRun(startup.frame(), options.screenshot);
    return app.exec();
}

} // namespace ui
