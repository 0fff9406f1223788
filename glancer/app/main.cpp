#include "glancerapp.h"

#include "platform/commandline.h"
#include "platform/settings.h"
#include "platform/version.h"
#include "ui/qttexts.h"
#include "ui/screenshotrun.h"
#include "ui/widgetprompt.h"

#include <QApplication>

#include <cstdio>

using namespace glancer;

int main(int argc, char *argv[])
{
    // The command line is read before any window system is asked for, so
    // --help and --version work without a display.
    LaunchOptions options;
    QString error;
    if (!LaunchOptions::parse(platform::programArguments(argc, argv).usable, options, error)) {
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
    ui::loadQtTexts();
    const bool screenshot = !options.screenshot.isEmpty();

    // A screenshot run must not wait on a message box.
    platform::WidgetPrompt widgetPrompt;
    platform::UnattendedPrompt scriptedPrompt;
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

    if (screenshot)
        ui::finishScreenshotRun(glancer.frame(), options.screenshot);
    return app.exec();
}
