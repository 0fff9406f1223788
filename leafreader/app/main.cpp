#include "leafreaderstartup.h"

#include "platform/settings.h"
#include "ui/widgetprompt.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

using namespace leafreader;

namespace {

// Screenshot runs answer every question without waiting; a question to retry
// is answered with Cancel, so a missing folder cannot keep the run asking.
class ScreenshotPrompt : public platform::ScriptedPrompt {
public:
    platform::PromptAnswer message(const QString &text, platform::PromptIcon icon,
                                   platform::PromptButtons buttons, const QString &caption) override
    {
        const platform::PromptAnswer answer = ScriptedPrompt::message(text, icon, buttons, caption);
        return buttons == platform::PromptButtons::RetryCancel ? platform::PromptAnswer::Cancel : answer;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Leafreader"));
    QApplication::setOrganizationName(QStringLiteral("Velloran"));

    const LaunchOptions options = LaunchOptions::parse(QApplication::arguments().mid(1));
    const bool screenshot = !options.screenshot.isEmpty();

    // A screenshot run must not wait on a message box.
    platform::WidgetPrompt widgetPrompt;
    ScreenshotPrompt scriptedPrompt;
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

    if (screenshot) {
        for (const QString &text : scriptedPrompt.texts())
            std::fprintf(stderr, "%s\n", qPrintable(text));
        QTimer::singleShot(300, &startup.frame(), [&startup, &options] {
            const bool ok = startup.frame().grab().save(options.screenshot, "PNG");
            QApplication::exit(ok ? 0 : 1);
        });
    }
    return app.exec();
}
