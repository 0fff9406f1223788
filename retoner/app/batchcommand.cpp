#include "batchcommand.h"

#include "retoneroptions.h"

#include "core/imagebatch.h"
#include "core/settingsfile.h"

#include <platform/commandline.h>
#include <platform/filenames.h>
#include <platform/progressline.h>
#include <platform/prompt.h>

#include <QCoreApplication>

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

// One line per file: its path, a tab, then "Color", "Mono" or its message;
// the progress goes on to the progress line.
class LineObserver : public BatchObserver {
public:
    explicit LineObserver(platform::Progress &progress) : m_progress(progress) {}

    void begin(const QString &title, int range) override { m_progress.begin(title, range); }
    void setText(const QString &text) override { m_progress.setText(text); }
    void setPosition(int position) override { m_progress.setPosition(position); }
    void end() override { m_progress.end(); }
    void fileSkipped(const QString &path, const QString &message) override
    {
        ++m_skipped;
        // Files of other kinds get no message box; say which kinds are taken.
        const QString reason =
            message.isEmpty() ? QCoreApplication::translate("BatchCommand", "拡張子は jpg, jpeg, png, bmp のみ対応しています。")
                              : message;
        printLine(stdout, platform::escapedText(path) + u'\t' + reason);
    }
    void entryAdded(int, const ImageEntry &entry, const QString &message) override
    {
        const QString verdict =
            !message.isEmpty() ? message : entry.isColor ? QStringLiteral("Color") : QStringLiteral("Mono");
        printLine(stdout, platform::escapedText(entry.path) + u'\t' + verdict);
    }
    void saveFailed(int, const ImageEntry &entry, const QString &reason) override
    {
        printLine(stdout, platform::escapedText(entry.path) + u'\t' + reason);
    }
    bool cancelRequested() override { return g_interrupted != 0; }

    int skipped() const { return m_skipped; }

private:
    platform::Progress &m_progress;
    int m_skipped = 0;
};

} // namespace

int writeDefaultSettings(const RetonerOptions &options)
{
    const SettingsWriteResult result = writeSettingsFile(ToneSettings(), options.defaultsFile);
    if (result != SettingsWriteResult::Written) {
        printLine(stderr, writeMessage(result));
        return 1;
    }
    return 0;
}

int runBatch(const RetonerOptions &options)
{
    ToneSettings settings;
    if (options.hasSettings) {
        const SettingsReadReport report = readSettingsFile(settings, options.settingsFile);
        if (!report.ok()) {
            printLine(stderr, readMessage(report));
            return 1;
        }
    }
    if (options.hasOutput)
        settings.outputFolder = platform::absolutePath(options.outputFolder);
    // A mistyped folder is reported before any picture is decoded.
    if (!outputFolderExists(settings.outputFolder)) {
        printLine(stdout, noOutputFolderMessage());
        return 1;
    }

    QStringList paths;
    for (const QString &path : options.files)
        paths.append(platform::absolutePath(path));

    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);

    // Messages are recorded instead of shown; the command line prints them
    // where they belong (per file, or as the final line).
    platform::ScriptedPrompt prompt;
    ImageBatch batch(prompt);
    batch.setKeepThumbnails(false);
    platform::ProgressLine progress(options.quiet);
    LineObserver observer(progress);
    const ConvertReport report =
        batch.registerAndConvert(paths, static_cast<RegistrationMode>(options.classifyMode), settings, observer);
    if (report.outcome == ConvertReport::NothingToDo) {
        const QStringList shown = prompt.texts();
        printLine(stdout, shown.isEmpty() ? QString() : shown.last());
        return 1;
    }
    printLine(stdout, report.message);
    const bool clean = report.outcome == ConvertReport::Finished && report.failures == 0
                       && !report.cancelled && observer.skipped() == 0;
    return clean ? 0 : 1;
}

} // namespace retoner
