#include "harvesterapp.h"

#include "commandline.h"
#include "harvesterdlg.h"

#include "core/extractorlink.h"
#include "core/messages.h"

#include <platform/consoleline.h>
#include <platform/settings.h>
#include <platform/version.h>
#include <ui/uifont.h>
#include <ui/widgetprompt.h>

#include <QApplication>
#include <QTimer>

#include <cstdio>

using platform::printLine;

namespace {

void nameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Velloran"));
    QCoreApplication::setApplicationName(QStringLiteral("Harvester"));
}

} // namespace

int CHarvesterApp::main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine commandLine = CommandLine::parse(arguments);
    switch (commandLine.action) {
    case CommandLine::Action::UsageError:
        printLine(stderr, QStringLiteral("harvester: ") + commandLine.error);
        return 2;
    case CommandLine::Action::Help:
        printLine(stdout, CommandLine::usage());
        return 0;
    case CommandLine::Action::Version:
        printLine(stdout, QStringLiteral("harvester") + platform::versionText());
        return 0;
    case CommandLine::Action::Run: {
        QCoreApplication app(argc, argv);
        nameApplication();
        return runFromCommandLine(commandLine);
    }
    case CommandLine::Action::Dialog: break;
    }
    QApplication app(argc, argv);
    nameApplication();
    QApplication::setApplicationDisplayName(QStringLiteral("Harvester"));
    platform::applyUiFont(app);
    return runDialog(app, commandLine);
}

int CHarvesterApp::runDialog(QApplication &app, const CommandLine &commandLine)
{
    const bool screenshot = !commandLine.screenshot.isEmpty();
    platform::WidgetPrompt prompt;
    CHarvesterDlg dialog(prompt);
    prompt.setParent(&dialog);

    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString extractor = programFolder.isEmpty() ? QString() : harvester::locateExtractor(programFolder);
    if (extractor.isEmpty()) {
        // The dialog closes before any setting is read.
        const QString message = programFolder.isEmpty() ? harvester::text::ModuleNameFailed
                                                        : harvester::text::ExtractorMissing;
        if (screenshot)
            printLine(stderr, message);
        else
            prompt.message(message);
        return 1;
    }
    dialog.setExtractor(extractor);

    const auto store = platform::openSettings(QStringLiteral("Harvester"));
    dialog.loadSettings(*store);
    dialog.setFolders(commandLine.options.targetFolder, commandLine.options.workFolder);
    if (!screenshot)
        dialog.setSettingsStore(store.get());
    dialog.show();

    int result = 0;
    if (screenshot) {
        QTimer::singleShot(200, &dialog, [&] {
            QCoreApplication::processEvents();
            result = dialog.grab().save(commandLine.screenshot, "PNG") ? 0 : 1;
            app.exit(result);
        });
    }
    QObject::connect(&dialog, &QDialog::finished, &app, [&app] { app.exit(0); });
    const int code = app.exec();
    return screenshot ? result : code;
}
