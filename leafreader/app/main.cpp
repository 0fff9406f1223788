#include "leafreaderstartup.h"

#include "platform/settings.h"
#include "ui/screenshotrun.h"
#include "ui/widgetprompt.h"

#include <QApplication>


using namespace leafreader;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Leafreader"));
    QApplication::setOrganizationName(QStringLiteral("Velloran"));

    const LaunchOptions options = LaunchOptions::parse(QApplication::arguments().mid(1));
    const bool screenshot = !options.screenshot.isEmpty();

    // A screenshot run must not wait on a message box.
    platform::WidgetPrompt widgetPrompt;
    ui::ScreenshotPrompt scriptedPrompt;
    platform::Prompt &prompt = screenshot ? static_cast<platform::Prompt &>(scriptedPrompt) : widgetPrompt;

    // The one settings store of the run, handed to every part that needs it.
    const auto store = platform::openSettings(QStringLiteral("Leafreader"));
    LeafreaderStartup startup(options, *store, prompt);
    // A screenshot run stands beside a running copy instead of raising it.
    switch (startup.start(!screenshot)) {
    case LeafreaderStartup::StartResult::AnotherCopyRuns: return 0;
    case LeafreaderStartup::StartResult::Failed: return 1;
    case LeafreaderStartup::StartResult::Running: break;
    }
    widgetPrompt.setParent(&startup.frame());

    if (screenshot)
        ui::finishScreenshotRun(startup.frame(), options.screenshot, scriptedPrompt);
    return app.exec();
}
