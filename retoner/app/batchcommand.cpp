#include "batchcommand.h"

#include "core/imagebatch.h"
#include "core/settingsfile.h"

#include <platform/consoleline.h>
#include <platform/prompt.h>

#include <QCommandLineParser>
#include <QFileInfo>

#include <csignal>
#include <cstdio>

namespace retoner {

using platform::printLine;

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void onInterrupt(int)
{
    g_interrupted = 1;
}

// One line per file: its path, a tab, then "Color", "Mono" or its message.
class LineObserver : public BatchObserver {
public:
    void fileSkipped(const QString &path, const QString &message) override
    {
        ++m_skipped;
        // Files of other kinds get no message box; say which kinds are taken.
        printLine(stdout, path + u'\t'
                              + (message.isEmpty()
                                     ? QStringLiteral("拡張子は jpg, jpeg, png, bmp のみ対応しています。")
                                     : message));
    }
    void entryAdded(int, const ImageEntry &entry, const QString &message) override
    {
        const QString verdict =
            !message.isEmpty() ? message : entry.isColor ? QStringLiteral("Color") : QStringLiteral("Mono");
        printLine(stdout, entry.path + u'\t' + verdict);
    }
    bool cancelRequested() override { return g_interrupted != 0; }

    int skipped() const { return m_skipped; }

private:
    int m_skipped = 0;
};

int usage(const QString &error)
{
    if (!error.isEmpty())
        printLine(stderr, QStringLiteral("retoner: ") + error);
    printLine(stderr, QStringLiteral(
        "usage: retoner --batch [--settings FILE.tnp] [--classify 0|1|2|3] [--output DIR] FILE...\n"
        "       retoner --write-default-settings FILE.tnp"));
    return 2;
}

} // namespace

bool isCommandLineMode(const QStringList &arguments)
{
    for (const QString &argument : arguments.mid(1))
        if (argument == u"--batch" || argument == u"--write-default-settings"
            || argument.startsWith(u"--write-default-settings="))
            return true;
    return false;
}

int runCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption batchOption(QStringLiteral("batch"));
    const QCommandLineOption settingsOption(QStringLiteral("settings"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption classifyOption(QStringLiteral("classify"), QString(), QStringLiteral("MODE"),
                                            QStringLiteral("0"));
    const QCommandLineOption outputOption(QStringLiteral("output"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption defaultsOption(QStringLiteral("write-default-settings"), QString(),
                                            QStringLiteral("FILE"));
    parser.addOptions({batchOption, settingsOption, classifyOption, outputOption, defaultsOption});
    if (!parser.parse(arguments))
        return usage(parser.errorText());

    if (parser.isSet(defaultsOption)) {
        const SettingsWriteResult result =
            writeSettingsFile(ToneSettings(), parser.value(defaultsOption));
        if (result != SettingsWriteResult::Written) {
            printLine(stderr, writeMessage(result));
            return 1;
        }
        return 0;
    }

    bool modeOk = false;
    const int mode = parser.value(classifyOption).toInt(&modeOk);
    if (!modeOk || mode < 0 || mode > 3)
        return usage(QStringLiteral("--classify takes 0, 1, 2 or 3"));
    if (parser.positionalArguments().isEmpty())
        return usage(QStringLiteral("no files given"));

    ToneSettings settings;
    if (parser.isSet(settingsOption)) {
        const SettingsReadReport report = readSettingsFile(settings, parser.value(settingsOption));
        if (!report.ok()) {
            printLine(stderr, readMessage(report));
            return 1;
        }
    }
    if (parser.isSet(outputOption))
        settings.outputFolder = QFileInfo(parser.value(outputOption)).absoluteFilePath();

    QStringList paths;
    for (const QString &path : parser.positionalArguments())
        paths.append(QFileInfo(path).absoluteFilePath());

    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);

    // Messages are recorded instead of shown; the command line prints them
    // where they belong (per file, or as the final line).
    platform::ScriptedPrompt prompt;
    ImageBatch batch(prompt);
    LineObserver observer;
    if (batch.registerFiles(paths, static_cast<RegistrationMode>(mode), observer) == 0) {
        const QStringList shown = prompt.texts();
        printLine(stdout, shown.isEmpty() ? QString() : shown.last());
        return 1;
    }
    if (g_interrupted) {
        printLine(stdout, QStringLiteral("中止しました。"));
        return 1;
    }
    const ConvertReport report = batch.convertAll(settings, observer);
    printLine(stdout, report.message);
    const bool clean = report.outcome == ConvertReport::Finished && report.failures == 0
                       && !report.cancelled && observer.skipped() == 0;
    return clean ? 0 : 1;
}

} // namespace retoner
