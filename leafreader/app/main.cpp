#include "leafreaderstartup.h"

#include "platform/settings.h"
#include "ui/qttexts.h"
#include "ui/screenshotrun.h"
#include "ui/widgetprompt.h"

#include <QApplication>

using namespace leafreader;

int main(int argc, char *argv[])
{
    // Read before the application exists: --help and --version need no
    // display, and must not reach a copy that is already running.
    LaunchOptions options;
    if (const std::optional<int> status = LaunchOptions::read(platform::programArguments(argc, argv), options))
        return *status;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Leafreader"));
    QApplication::setOrganizationName(QStringLiteral("Velloran"));
    ui::loadQtTexts();
    const bool screenshot = !options.screenshot.isEmpty();

    // A screenshot run must not wait on a message box.
    platform::WidgetPrompt widgetPrompt;
    platform::UnattendedPrompt unattended;
    platform::Prompt &prompt = screenshot ? static_cast<platform::Prompt &>(unattended) : widgetPrompt;

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
        ui::finishScreenshotRun(startup.frame(), options.screenshot);
    return app.exec();
}
