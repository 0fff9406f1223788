#pragma once

#include "extractioncheck.h"
#include "extractorlink.h"
#include "imagefolderpacker.h"
#include "messages.h"
#include "runlog.h"
#include "runoutputs.h"
#include "runworkfolder.h"
#include "sourcehandling.h"

#include <platform/progress.h>

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace platform {
class Prompt;
}

namespace harvester {

class CFileWalker;

// The five conversions of the Process list, by their index.
enum RunMode {
    PdfToBook = 0,
    PdfToImageFolder = 1,
    ImageFoldersToBooks = 2,
    BooksToImageFolders = 3,
    ArchivesToBooks = 4,
};
// What happens to the sources after a run, by the index of its list.
enum PostProcessChoice { LeaveSources = 0, RecycleSources = 1, DeleteSources = 2 };

// Everything a run takes from the dialog at Start.
struct RunOptions {
    int mode = PdfToBook;
    QString targetFolder; // the folder box's text
    QString workFolder;   // the work folder box's text (PDF runs)
    bool includeSubfolders = true;
    int postProcess = LeaveSources;
    BookOptions book;
};

// What a run shows: the status line (setText), the progress bar (begin with
// the number of items, setPosition), the log, and whether it runs. The run
// hands waiting events on through processEvents between items.
class RunObserver : public platform::Progress {
public:
    // One text appended to the log, as it is made.
    virtual void logLine(const QString &text) { (void)text; }
    // A run began (the controls are set for a run) or ended (idle again).
    virtual void runningChanged(bool running) { (void)running; }
};

// How the last run ended.
enum class RunOutcome {
    None,      // no run yet, or one still running
    Completed, // it reached "完了"
    Stopped,   // the Stop button ended it
    Ended,     // a failure, a Cancel answer or a forced close ended it
};

// How the items of a run went, and what became of their sources. Every item
// a run reached is done (its content arrived whole in its output), failed
// (it did not: pages missing or cut, a write, an unpacking or the trash
// failed) or passed over (nothing to convert, its output refused, or the
// user declined); names that are not valid UTF-8 count as passed over too.
struct RunSummary {
    int done = 0;
    int failed = 0;
    int passedOver = 0;
    int deleted = 0;
    int trashed = 0;

    QString text() const;
};

// The runs of Harvester, without a window. A PDF run (modes 0 and 1)
// starts the extractor for one PDF after another and goes on from the event
// loop as each one ends; the image folder, book and archive runs (modes 2, 3
// and 4) run to their end inside start(), handing events on between items.
// Sources are
// deleted or recycled only at the end of a run that went through, and only
// those whose content arrived: a PDF only when every image it lists came out
// whole and went into its book or image folder, a folder only when nothing
// but the pictures its book took is left in it, an archive only when it was
// read whole, is unchanged since, and everything it holds is in its book.
class RunController : public QObject {
    Q_OBJECT
public:
    RunController(platform::Prompt &prompt, RunObserver &observer, QObject *parent = nullptr);
    ~RunController() override;

    // The extractor program; the log's command lines begin with its path
    // and " -j -png ": JPEG images come out byte for byte, every other image
    // as a lossless PNG.
    void setExtractor(const QString &path);
    // Replaces the file operations (tests); null restores the real ones.
    void setFileOperations(FileOperations *operations);
    // Shown as busy while a folder is packed (a wait cursor).
    void setBusyIndicator(platform::Progress *busy) { m_packer.busy = busy; }

    // Start: nothing happens while a run is in progress.
    void start(const RunOptions &options);
    // Stop: the run ends at its next check, after the PDF in work.
    void requestStop();
    // Ends the PDF in work; with abort the extractor is killed, what the
    // work folder holds is still put in place or packed, and the run ends.
    void FinishPdf(bool abort, int exitCode);

    bool running() const { return m_running; }
    bool stopRequested();
    int mode() const { return m_options.mode; }
    const RunOptions &options() const { return m_options; }
    const QStringList &runList() const { return m_runList; }
    int currentIndex() const { return m_currentIndex; }
    uint32_t errorLines() const { return m_errorLines; }
    uint32_t warningLines() const { return m_warningLines; }
    const QString &targetFolderName() const { return m_targetFolderName; }
    const QString &extractorPrefix() const { return m_extractorPrefix; }
    const RunLog &log() const { return m_log; }
    RunOutcome outcome() const { return m_outcome; }
    const RunSummary &summary() const { return m_summary; }
    // The run reached "完了" with every item done.
    bool succeeded() const
    {
        return m_outcome == RunOutcome::Completed && m_summary.failed == 0 && m_summary.passedOver == 0;
    }
    bool extractorConnected() const { return m_link.isConnected(); }

signals:
    // The run is over and the controls are idle again.
    void runEnded();

private:
    enum class ItemState { Pending, Done, Failed, PassedOver };
    // How one item went, and whether the run ends with it.
    struct ItemResult {
        ItemState state = ItemState::Done;
        bool stopRun = false;
    };

    void AppendLog(const QString &text);
    void EndRun();
    void fail(const QString &message);
    void finishWithMessage(RunOutcome outcome, const QString &message);
    QString stopNote(SourceKind kind) const;
    // The folder box's text as an absolute folder path ending in '/';
    // empty when it is shorter than 2 characters or names no folder.
    static QString checkedFolder(const QString &text);
    // The target folder's last name, which books may take as a name attribute.
    void setTargetFolderName(const QString &target);

    // Where item outputs go, planned over runList; the work folder is kept
    // out of every output.
    void planOutputs(const QStringList &protectedFolders);
    static QString outputOf(int mode, const QString &source);
    void settle(int item, ItemState state);
    // An item whose output is refused: logged and passed over.
    bool refused(int item);

    void StartPdfRun();
    void launchCurrent();
    void onListed(int exitCode, const QByteArray &output);
    bool BuildCommandLine(const QString &pdfPath, ExtractorCommand &command);
    void onExtractorLine(const QString &line);
    ItemResult settlePdf(bool abort, int exitCode);
    ItemResult placeImageFolder(const QString &workPath, const QString &pdfPath);
    ItemResult packPdf(const QStringList &pageFiles, const QString &pdfPath);
    bool moveWithRetries(const QString &from, const QString &to);
    void finishRun(SourceKind kind);

    // The search of a run; false when it ended the run.
    bool search(CFileWalker &walker, const QString &target, const QString &status, const QString &failed);
    // The progress bar set for the items of runList.
    void beginItems();
    // The item loop of the folder and book runs: status, log line, the item,
    // then Stop is looked at; at the end the sources are post-processed.
    void runItems(SourceKind kind, const QString &logLine, const std::function<ItemResult(const QString &)> &handle);
    void runImageFolders();
    void runBooks();
    ItemResult packFolder(const QString &folder);
    void runArchives();
    ItemResult packArchive(const QString &archive);

    // False when the user cancelled it (the run then ends at once).
    bool PostProcessSources(SourceKind kind);
    // Deletes or recycles one source; false when the user ended the run.
    bool releaseSource(int item, SourceKind kind);

    platform::Prompt &m_prompt;
    RunObserver &m_observer;
    FileOperations m_defaultOperations;
    FileOperations *m_operations = &m_defaultOperations;
    ExtractorLink m_link;
    ImageFolderPacker m_packer;
    RunLog m_log;

    QString m_extractorPath;
    QString m_extractorPrefix;

    RunOptions m_options;
    bool m_running = false;
    bool m_stopRequested = false;
    bool m_walkStop = false;
    // An abort came while a book was being written.
    bool m_abortAfterWrite = false;
    bool m_progressBegun = false;
    // A PDF's listing or extraction was started and its results are not yet
    // handled.
    bool m_pdfInWork = false;
    QStringList m_runList;
    // How each item of runList went; only done items are deleted or recycled.
    std::vector<ItemState> m_states;
    RunSummary m_summary;
    bool m_itemsBegun = false;
    RunOutputs m_outputs;
    // The pages each packed image folder gave its book, as they were found.
    std::map<int, kvb::PageList> m_packedPages;
    // How each archive that became a book was read.
    std::map<int, ArchivePacking> m_packedArchives;
    // This run's own folder inside the work folder (PDF runs).
    std::unique_ptr<RunWorkFolder> m_work;
    ExtractorCommand m_command;
    // The images the PDF in work lists, when the listing succeeded.
    std::optional<QList<ListedImage>> m_listing;
    int m_listExitCode = 0;
    int m_currentIndex = 0;
    uint32_t m_errorLines = 0;
    uint32_t m_warningLines = 0;
    QString m_targetFolderName;
    QString m_workFolder;
    RunOutcome m_outcome = RunOutcome::None;
};

} // namespace harvester
