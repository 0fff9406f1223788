#include "harvesterapp.h"

#include "commandline.h"
#include "harvesterdlg.h"

#include "core/extractorlink.h"
#include "core/messages.h"

#include <platform/commandline.h>
#include <platform/settings.h>
#include <ui/uifont.h>
#include <ui/widgetprompt.h>

#include <QApplication>
#include <QTimer>

namespace {

void nameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Velloran"));
    QCoreApplication::setApplicationName(QStringLiteral("Harvester"));
}

} // namespace

int CHarvesterApp::main(int argc, char **argv)
{
    const platform::ProgramArguments arguments = platform::programArguments(argc, argv);
    const platform::ProgramCommandLine line(CommandLine::programInfo());
    // A folder named in bytes that are not valid UTF-8 would reach the run
    // as another name.
    if (!arguments.unusable.isEmpty())
        return line.refuseUnusable(arguments.unusable);
    const CommandLine commandLine = CommandLine::parse(arguments.usable);
    switch (commandLine.action) {
    case CommandLine::Action::UsageError: return line.usageError(commandLine.error);
    case CommandLine::Action::Help: return line.showUsage();
    case CommandLine::Action::Version: return line.showVersion();
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
    // A screenshot run answers every message at once: nobody is there to.
    platform::WidgetPrompt widgetPrompt;
    platform::UnattendedPrompt unattended;
    platform::Prompt &prompt = screenshot ? static_cast<platform::Prompt &>(unattended) : widgetPrompt;
    CHarvesterDlg dialog(prompt);
    widgetPrompt.setParent(&dialog);

    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString extractor = programFolder.isEmpty() ? QString() : harvester::locateExtractor(programFolder);
    if (extractor.isEmpty()) {
        // The dialog closes before any setting is read.
        const QString message = programFolder.isEmpty() ? harvester::text::ModuleNameFailed
                                                        : harvester::text::ExtractorMissing;
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
            // The commands first (1005 starts a run); the picture once the
            // run they started has ended.
            for (const int id : commandLine.commands)
                dialog.onCommand(id);
            const auto take = [&] {
                QCoreApplication::processEvents();
                result = dialog.grab().save(commandLine.screenshot, "PNG") ? 0 : 1;
                app.exit(result);
            };
            if (dialog.run().running())
                QObject::connect(&dialog.run(), &harvester::RunController::runEnded, &dialog, take,
                                 Qt::QueuedConnection);
            else
                take();
        });
    }
    QObject::connect(&dialog, &QDialog::finished, &app, [&app] { app.exit(0); });
    const int code = app.exec();
    return screenshot ? result : code;
}
