#pragma once

#include "lineassembler.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <deque>
#include <memory>
#include <optional>

class QProcess;

namespace harvester {

// Where the extractor program is: `pdfimages` in the program's own folder,
// else the first one on PATH. Empty when there is none.
QString locateExtractor(const QString &programFolder);

// One run of the extractor: what the log shows and what is started.
struct ExtractorCommand {
    QString text; // program path, " -j ", the quoted PDF path, a space, the quoted name root
    QString program;
    QStringList arguments;
};

// The connection to one running extractor. It starts the program with an
// argument list (never through a shell), in a process group of its own, and
// the program dies with Harvester (it is killed when Harvester ends, however
// that happens), so nothing writes into a run's folder after its run.
// An extraction has standard output and standard error on one channel and
// standard input open but never written. The output is cut into lines by a
// LineAssembler; finished lines wait in a queue of at most kMaxWaitingLines
// (further lines are dropped) and are handed out from the event loop, in
// order, through lineReady. The exit code follows the last line through
// exited, once, unless terminate() came first. A listing keeps its standard
// output whole and drops its errors; it ends with listed.
class ExtractorLink : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxWaitingLines = 1024;

    explicit ExtractorLink(QObject *parent = nullptr);
    ~ExtractorLink() override;

    // False when the program cannot be started.
    bool LaunchExtractor(const ExtractorCommand &command);
    bool ListImages(const ExtractorCommand &command);
    bool isConnected() const { return m_process != nullptr; }
    // Kills a running extractor, waits for it and drops what it still had
    // to say; no exit is reported afterwards.
    void terminate();
    // Hands out the lines that wait now (the dialog does this before it
    // finishes a PDF on its own).
    void deliverWaitingLines();

signals:
    void lineReady(const QString &line);
    // A crash is reported as 128 + the signal's number.
    void exited(int exitCode);
    void listed(int exitCode, const QByteArray &output);

private:
    bool start(const ExtractorCommand &command, bool listing);
    void readOutput();
    void onFinished();
    void scheduleDelivery();
    void deliver();

    std::unique_ptr<QProcess> m_process;
    LineAssembler m_assembler;
    // The lines read but not yet handed out.
    std::deque<QString> m_waitingLines;
    // Cleared by terminate(): the exit is then not reported.
    bool m_readerActive = false;
    bool m_deliveryQueued = false;
    bool m_listing = false;
    QByteArray m_listOutput;
    std::optional<int> m_exitCode;
};

} // namespace harvester
