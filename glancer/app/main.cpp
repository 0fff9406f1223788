#include "glancerapp.h"

#include "platform/settings.h"
#include "platform/version.h"
#include "ui/widgetprompt.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

using namespace glancer;

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
    // The command line is read before any window system is asked for, so
    // --help and --version work without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    LaunchOptions options;
    QString error;
    if (!LaunchOptions::parse(arguments, options, error)) {
        std::fprintf(stderr, "glancer: %s\n", qPrintable(error));
        return 2;
    }
    if (options.help) {
        std::printf("%s\n", qPrintable(LaunchOptions::usage()));
        return 0;
    }
    if (options.version) {
        std::printf("glancer%s\n", qPrintable(platform::versionText()));
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glancer"));
    QApplication::setOrganizationName(QStringLiteral("Velloran"));
    const bool screenshot = !options.screenshot.isEmpty();

    // A screenshot run must not wait on a message box.
    platform::WidgetPrompt widgetPrompt;
    ScreenshotPrompt scriptedPrompt;
    platform::Prompt &prompt = screenshot ? static_cast<platform::Prompt &>(scriptedPrompt) : widgetPrompt;

    const auto store = platform::openSettings(QStringLiteral("Glancer"));
    CGlancerApp glancer(options, *store, prompt);
    // A screenshot run stands beside a running copy instead of raising it.
    switch (glancer.start(!screenshot)) {
    case CGlancerApp::StartResult::AnotherCopyRuns: return 0;
    case CGlancerApp::StartResult::Failed: return 1;
    case CGlancerApp::StartResult::Running: break;
    }
    widgetPrompt.setParent(&glancer.frame());

    if (screenshot) {
        for (const QString &text : scriptedPrompt.texts())
            std::fprintf(stderr, "%s\n", qPrintable(text));
        QTimer::singleShot(300, &glancer.frame(), [&glancer, &options] {
            const bool ok = glancer.frame().grab().save(options.screenshot, "PNG");
            QApplication::exit(ok ? 0 : 1);
        });
    }
    return app.exec();
}
