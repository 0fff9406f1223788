#include "harvesterapp.h"

#include "commandline.h"
#include "harvesterdlg.h"

#include "core/extractorlink.h"
#include "core/messages.h"

#include <picture/picture.h>
#include <platform/commandline.h>
#include <platform/settings.h>
#include <ui/language.h>
#include <ui/uifont.h>
#include <ui/widgetprompt.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <algorithm>

namespace {

void nameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Velloran"));
    QCoreApplication::setApplicationName(QStringLiteral("Harvester"));
}

// With HARVESTER_EVENT_PROBE naming a file, a 10 ms timer measures how long
// the event loop goes without turning while a run started by --commands
// lasts, and the longest gap (in ms) is written to that file at the end: the
// figure the benches hold against the window's responsiveness goal.
class EventLoopProbe {
public:
    explicit EventLoopProbe(QObject *owner) : m_path(qEnvironmentVariable("HARVESTER_EVENT_PROBE"))
    {
        if (m_path.isEmpty())
            return;
        QObject::connect(&m_timer, &QTimer::timeout, owner, [this] {
            const qint64 now = m_clock.elapsed();
            m_longest = std::max(m_longest, now - m_last);
            m_last = now;
        });
    }
    void begin()
    {
        if (m_path.isEmpty())
            return;
        m_clock.start();
        m_last = 0;
        m_timer.start(10);
    }
    void end()
    {
        if (m_path.isEmpty() || !m_timer.isActive())
            return;
        m_timer.stop();
        // The time since the last tick is a gap too.
        m_longest = std::max(m_longest, m_clock.elapsed() - m_last);
        QFile out(m_path);
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            out.write(QByteArray::number(m_longest) + '\n');
    }

private:
    QString m_path;
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

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
        // The run's log lines and messages speak the window's language.
        ui::loadTexts(u"harvester");
        return runFromCommandLine(commandLine);
    }
    case CommandLine::Action::Dialog: break;
    }
    QApplication app(argc, argv);
    nameApplication();
    QApplication::setApplicationDisplayName(QStringLiteral("Harvester"));
    platform::applyUiFont(app);
    ui::loadTexts(u"harvester");
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
    EventLoopProbe probe(&dialog);
    if (screenshot) {
        QTimer::singleShot(200, &dialog, [&] {
            // The commands first (1005 starts a run); the picture once the
            // run they started has ended.
            probe.begin();
            for (const int id : commandLine.commands)
                dialog.onCommand(id);
            const auto take = [&] {
                probe.end();
                QCoreApplication::processEvents();
                result = kvb::writePngFile(dialog.grab().toImage(), commandLine.screenshot) ? 0 : 1;
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
