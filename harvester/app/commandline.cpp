#include "commandline.h"

#include "commandlineprompt.h"

#include "core/foldertree.h"
#include "core/messages.h"

#include <platform/commandline.h>
#include <platform/progressline.h>
#include <platform/prompt.h>

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

using namespace harvester;

using platform::printLine;

namespace {

class CommandLineObserver : public RunObserver {
public:
    CommandLineObserver(CommandLinePrompt &prompt, platform::Progress &progress)
        : m_prompt(prompt), m_progress(progress)
    {
    }

    void begin(const QString &title, int range) override { m_progress.begin(title, range); }
    void end() override { m_progress.end(); }
    void setText(const QString &text) override
    {
        m_status = text;
        updateContext();
        m_progress.setText(text);
    }
    void setPosition(int position) override
    {
        m_position = position;
        updateContext();
        m_progress.setPosition(position);
    }
    void processEvents() override { QCoreApplication::processEvents(); }
    void logLine(const QString &text) override { printLine(stdout, text); }

private:
    void updateContext() { m_prompt.setContext(m_status + u'\x1f' + QString::number(m_position)); }

    CommandLinePrompt &m_prompt;
    platform::Progress &m_progress;
    QString m_status;
    int m_position = 0;
};

int g_signalPipe[2] = {-1, -1};

void onInterrupt(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}

QString absolute(const QString &path)
{
    return path.isEmpty() || QDir::isAbsolutePath(path) ? path : QDir::current().absoluteFilePath(path);
}

} // namespace

QString CommandLine::usage()
{
    return QStringLiteral(
        "usage: harvester [--work DIR] [FOLDER]\n"
        "       harvester --screenshot FILE [--commands ID,ID...] [--work DIR] [FOLDER]\n"
        "       harvester --run 0|1|2|3|4 [--subfolders] [--post 0|1|2] [--work DIR] [--cover]\n"
        "                 [--bind-right] [--spread] [--thumbnail] [--name-as-title]\n"
        "                 [--number-as-date] [--target-name 0|1|2|3] [--yes] [--quiet] [--] FOLDER\n"
        "       harvester --help | --version\n"
        "--: ends the options, so a folder whose name starts with '-' is a folder\n"
        "runs: 0 PDF to book, 1 PDF to image folder, 2 image folders to books, 3 books to image folders,\n"
        "      4 archives (cbz zip cb7 7z cbr rar cbt tar) to books\n"
        "post: 0 leave the sources, 1 move them to the trash, 2 delete them\n"
        "target-name: the folder's name as 0 nothing, 1 author, 2 publisher, 3 circle\n"
        "quiet: no progress line (shown while standard error is a terminal)\n"
        "commands: the dialog's command ids to run before the screenshot (1005 starts a run)\n");
}

platform::ProgramInfo CommandLine::programInfo()
{
    return {QStringLiteral("harvester"), QStringLiteral("Harvester"), usage()};
}

CommandLine CommandLine::parse(const QStringList &arguments)
{
    CommandLine result;
    auto usageError = [&result](const QString &line) {
        result.action = Action::UsageError;
        result.error = line;
        return result;
    };

    const QCommandLineOption run(QStringLiteral("run"), QString(), QStringLiteral("MODE"));
    const QCommandLineOption subfolders(QStringLiteral("subfolders"));
    const QCommandLineOption post(QStringLiteral("post"), QString(), QStringLiteral("CHOICE"));
    const QCommandLineOption work(QStringLiteral("work"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption cover(QStringLiteral("cover"));
    const QCommandLineOption bindRight(QStringLiteral("bind-right"));
    const QCommandLineOption spread(QStringLiteral("spread"));
    const QCommandLineOption thumbnail(QStringLiteral("thumbnail"));
    const QCommandLineOption nameAsTitle(QStringLiteral("name-as-title"));
    const QCommandLineOption numberAsDate(QStringLiteral("number-as-date"));
    const QCommandLineOption targetName(QStringLiteral("target-name"), QString(), QStringLiteral("CHOICE"));
    const QCommandLineOption yes(QStringLiteral("yes"));
    const QCommandLineOption quiet(QStringLiteral("quiet"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption commands(QStringLiteral("commands"), QString(), QStringLiteral("IDS"));
    platform::ProgramCommandLine line(programInfo(), {run, subfolders, post, work, cover, bindRight, spread, thumbnail,
                                                      nameAsTitle, numberAsDate, targetName, yes, quiet, screenshot,
                                                      commands});
    switch (line.parse(arguments)) {
    case platform::ProgramCommandLine::Outcome::UsageError: return usageError(line.error());
    case platform::ProgramCommandLine::Outcome::Help: result.action = Action::Help; return result;
    case platform::ProgramCommandLine::Outcome::Version: result.action = Action::Version; return result;
    case platform::ProgramCommandLine::Outcome::Run: break;
    }
    const QCommandLineParser &parser = line.parser();

    auto choice = [&parser](const QCommandLineOption &option, int last, int fallback) -> std::optional<int> {
        if (!parser.isSet(option))
            return fallback;
        bool ok = false;
        const int value = parser.value(option).toInt(&ok);
        return ok && value >= 0 && value <= last ? std::optional<int>(value) : std::nullopt;
    };
    const QStringList folders = parser.positionalArguments();
    result.options.workFolder = absolute(parser.value(work));

    if (!parser.isSet(run)) {
        for (const QCommandLineOption *option : {&subfolders, &post, &cover, &bindRight, &spread, &thumbnail,
                                                 &nameAsTitle, &numberAsDate, &targetName, &yes, &quiet}) {
            if (parser.isSet(*option))
                return usageError(QStringLiteral("--%1 needs --run").arg(option->names().constFirst()));
        }
        if (folders.size() > 1)
            return usageError(QStringLiteral("the dialog takes one folder"));
        if (parser.isSet(screenshot) && parser.value(screenshot).isEmpty())
            return usageError(QStringLiteral("--screenshot needs a file"));
        if (parser.isSet(commands) && !parser.isSet(screenshot))
            return usageError(QStringLiteral("--commands needs --screenshot"));
        for (const QString &ids : parser.values(commands)) {
            for (const QString &id : ids.split(u',', Qt::SkipEmptyParts)) {
                bool ok = false;
                result.commands.append(id.toInt(&ok));
                if (!ok)
                    return usageError(QStringLiteral("--commands takes command ids: %1").arg(id));
            }
        }
        result.screenshot = parser.value(screenshot);
        result.options.targetFolder = absolute(folders.value(0));
        return result;
    }

    if (parser.isSet(screenshot) || parser.isSet(commands))
        return usageError(QStringLiteral("--screenshot does not go with --run"));
    const std::optional<int> mode = choice(run, 4, 0);
    if (!mode)
        return usageError(QStringLiteral("--run takes 0, 1, 2, 3 or 4"));
    const std::optional<int> postChoice = choice(post, 2, 0);
    if (!postChoice)
        return usageError(QStringLiteral("--post takes 0, 1 or 2"));
    const std::optional<int> nameChoice = choice(targetName, 3, 0);
    if (!nameChoice)
        return usageError(QStringLiteral("--target-name takes 0, 1, 2 or 3"));
    if (folders.size() != 1)
        return usageError(folders.isEmpty() ? QStringLiteral("no folder given")
                                            : QStringLiteral("one folder only"));

    result.action = Action::Run;
    result.yes = parser.isSet(yes);
    result.quiet = parser.isSet(quiet);
    RunOptions &options = result.options;
    options.mode = *mode;
    options.targetFolder = absolute(folders.constFirst());
    options.includeSubfolders = parser.isSet(subfolders);
    options.postProcess = *postChoice;
    options.book.cover = parser.isSet(cover);
    options.book.bindR = parser.isSet(bindRight);
    options.book.spread = parser.isSet(spread);
    options.book.thumb = parser.isSet(thumbnail);
    options.book.nameAsTitle = parser.isSet(nameAsTitle);
    options.book.numberAsDate = parser.isSet(numberAsDate);
    options.book.targetName = *nameChoice;
    return result;
}

int runFromCommandLine(const CommandLine &commandLine)
{
    const RunOptions &options = commandLine.options;
    CommandLinePrompt prompt(commandLine.yes);
    platform::ProgressLine progress(commandLine.quiet);
    CommandLineObserver observer(prompt, progress);
    RunController run(prompt, observer);

    if (options.mode == PdfToBook || options.mode == PdfToImageFolder) {
        const QString extractor = locateExtractor(QCoreApplication::applicationDirPath());
        if (extractor.isEmpty()) {
            printLine(stderr, text::ExtractorMissing);
            return 1;
        }
        run.setExtractor(extractor);
    }

    // Ctrl-C and SIGTERM reach the event loop through a pipe.
    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return 1;
    QSocketNotifier notifier(g_signalPipe[0], QSocketNotifier::Read);
    int interrupts = 0;
    QObject::connect(&notifier, &QSocketNotifier::activated, &run, [&] {
        char byte;
        while (::read(g_signalPipe[0], &byte, 1) == 1)
            ++interrupts;
        if (interrupts == 1 || !run.extractorConnected())
            run.requestStop();
        else
            run.FinishPdf(true, 0);
    });
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);

    QEventLoop loop;
    QObject::connect(&run, &RunController::runEnded, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    run.start(options);
    if (run.running())
        loop.exec();

    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    ::close(g_signalPipe[0]);
    ::close(g_signalPipe[1]);
    return run.succeeded() ? 0 : 1;
}
