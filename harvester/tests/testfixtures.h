#pragma once

#include "core/runcontroller.h"

#include <book/bookrecords.h>
#include <platform/prompt.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <vector>

namespace harvestertest {

// A temporary folder to build trees of pictures, PDFs and books in.
class Workspace {
public:
    Workspace();
    QString path(const QString &relative = {}) const;
    QString folder(const QString &relative) const; // made when missing
    QString file(const QString &relative, const QByteArray &bytes) const;
    // A small JPEG whose pixels differ by `seed`.
    static QByteArray jpeg(int seed, int width = 40, int height = 56);
    static QByteArray png(int seed);
    static QByteArray bmp(int seed);
    QString jpegFile(const QString &relative, int seed) const { return file(relative, jpeg(seed)); }

    // A text "PDF" for the stand-in extractor (see fake-pdfimages.sh).
    QString fakePdf(const QString &relative, const QStringList &lines) const;
    // A real PDF whose pages are the given JPEGs, embedded as DCT streams.
    QString jpegPdf(const QString &relative, const std::vector<QByteArray> &jpegs) const;

private:
    QTemporaryDir m_dir;
};

// The stand-in extractor script.
QString fakeExtractor();

// Records what a run shows, and lets a test act when a log line appears.
class RecordingObserver : public harvester::RunObserver {
public:
    void begin(const QString &, int range) override { ranges.push_back(range); }
    void setText(const QString &text) override { texts.append(text); }
    void setPosition(int position) override { positions.push_back(position); }
    void processEvents() override;
    void logLine(const QString &text) override;
    void runningChanged(bool running) override { runningStates.push_back(running); }

    QStringList lines;
    QStringList texts;
    std::vector<int> ranges;
    std::vector<int> positions;
    std::vector<bool> runningStates;
    std::function<void(const QString &)> onLine;
    std::function<void()> onEvents;
};

// A run with a scripted prompt and a recording observer.
struct RunFixture {
    platform::ScriptedPrompt prompt;
    RecordingObserver observer;
    harvester::RunController run{prompt, observer};

    RunFixture() { run.setExtractor(fakeExtractor()); }
    // Starts and waits until the run is idle again (false on a time-out).
    bool runToEnd(const harvester::RunOptions &options, int timeoutMs = 30000);
    bool waitForEnd(int timeoutMs = 30000);
    // Hands events on until `done` holds (false on a time-out).
    static bool waitFor(const std::function<bool()> &done, int timeoutMs = 30000);
    int count(const QString &line) const { return int(observer.lines.count(line)); }
};

// The message of a run that reached "完了": the word and the run's summary.
QString finished(int done, int failed = 0, int passedOver = 0, int deleted = 0, int trashed = 0);
// A log line with the name of a run's own folder ("$HVTTemp$" and hex
// digits) shown as "$HVTTemp$*".
QString maskRunFolder(const QString &line);
QStringList maskRunFolder(const QStringList &lines);

// Options for a PDF run over `target` with the work folder `work`.
harvester::RunOptions pdfOptions(int mode, const QString &target, const QString &work);

QByteArray readAll(const QString &path);
// The pages of a well-formed book (a failed read fails the test).
kvb::PageList pagesOf(const QString &book);
// The bytes a page entry refers to.
QByteArray pageBytes(const kvb::PageEntry &page);
bool exists(const QString &path);

} // namespace harvestertest
