#pragma once

#include "binderysettings.h"
#include "bookdocument.h"
#include "commandline.h"
#include "inputhistory.h"

#include <archive/comicinfo.h>

#include <platform/progress.h>
#include <platform/prompt.h>

#include <QSize>
#include <QStringList>

#include <functional>
#include <future>
#include <memory>
#include <optional>

namespace platform {
class ScratchFile;
}

namespace bindery {

// Command ids: the file menu's and the main dialog's buttons.
enum Command : int {
    CmdNew = 57600,
    CmdOpenBook = 57601,
    CmdAddImages = 32774,
    CmdAddFolderImages = 32787,
    CmdOpenFolderAsDocument = 32802,
    CmdSave = 57603,
    CmdSaveAs = 57604,
    CmdExportAll = 32794,
    CmdExportSelected = 32798,
    CmdExportArchive = 32799,
    CmdMoveTop = 1009,
    CmdMoveUp = 1006,
    CmdMoveDown = 1007,
    CmdMoveBottom = 1010,
    CmdDelete = 1008,
    CmdDuplicate = 1012,
    CmdSelectAll = 1020,
    CmdSaveButton = 1048,
    CmdSaveAsButton = 1054,
    CmdEditAttributes = 1022,
    CmdSettings = 1032,
    CmdFileMenu = 1011,
    CmdClose = 2,
};

// What a command changed, so the window knows what to show again. Title,
// buttons and the page count are refreshed after every command anyway.
enum Change : unsigned {
    ChangePages = 1u << 0,     // page list content or order: list and preview
    ChangeSelection = 1u << 1, // the selection of the page list
    ChangeFields = 1u << 2,    // texts, date, layout flags, thumbnail box
    ChangeHistories = 1u << 3, // the combo boxes' lists
    ChangeScrollToEnd = 1u << 4,
};

// Enabling of the main dialog's controls.
struct ControlStates {
    bool moveUp = false; // also "先頭へ"
    bool moveDown = false; // also "末尾へ"
    bool remove = false;
    bool duplicate = false;
    bool selectAll = false;
    bool layoutRadios = false; // cover and binding pairs
    bool dateFields = false;
    bool save = false; // save button and menu item
    bool saveAs = false; // save-as button, "名前を付けて保存", "全Page画像の書き出し", the CBZ export
    bool exportSelected = false;
};

// The book editor without its window: the document, the commands that change
// it, the settings and the input histories. Messages and file dialogs go
// through the prompt.
class BinderyEditor {
public:
    explicit BinderyEditor(platform::Prompt &prompt);
    ~BinderyEditor();

    BookDocument &document() { return m_doc; }
    const BookDocument &document() const { return m_doc; }
    BinderySettings &settings() { return m_settings; }
    InputHistories &histories() { return m_histories; }
    const InputHistories &histories() const { return m_histories; }
    platform::Prompt &prompt() { return m_prompt; }

    // The largest list thumbnail (width, height).
    void setThumbnailBox(QSize box) { m_box = box; }
    QSize thumbnailBox() const { return m_box; }
    // Long work (imports, saving, export) begins and ends on it, so the
    // window can show the wait cursor, and keeps the window painted through
    // it while thumbnails are made.
    void setProgress(platform::Progress &progress) { m_progress = &progress; }
    // Brings the window up to date before a message that follows a change.
    void setRefreshHook(std::function<void()> hook) { m_refreshHook = std::move(hook); }
    // Where the pages of added archives are kept while the editor runs
    // (the system's temporary folder unless set).
    void setScratchFolder(const QString &folder) { m_scratchFolder = folder; }
    // Worker threads for thumbnails; 0 uses the machine's ideal count.
    void setThumbnailThreads(int threads) { m_threads = threads; }
    // How many of the pages an import adds get their list thumbnails at once
    // (the rows the list shows); the others wait for makeThumbnails, so a
    // book of many thousand pages opens without decoding them all first.
    void setEagerThumbnails(int count) { m_eager = count; }

    // Makes the waiting list thumbnails of pages first to last (clamped to
    // the book), with the message for each page that cannot be decoded or
    // thumbnailed; returns the indices whose thumbnails it made, ascending.
    // Does not keep the window painted while it works: callers ask for a
    // few pages at a time.
    std::vector<int> makeThumbnails(int first, int last);
    // The first page at or after `from` whose thumbnail is still to be
    // made; -1 when there is none.
    int nextPendingThumbnail(int from = 0) const;

    // Start-up: settings and histories from the store, the document's layout
    // flags, thumbnail box and last date from the settings.
    void loadSettings(QSettings &store);
    // Exit: the document's flags and date go back to the settings first.
    // False, after the message, when they could not be written.
    bool saveSettings(QSettings &store);

    // Runs a command id; unknown ids do nothing. Returns false when the
    // command could not act or was cancelled.
    bool runCommand(int id);
    unsigned takeChanges();
    Field takeFocusRequest();

    // Document.
    bool newDocument(); // asks when there are pages
    void clear();       // without a question
    bool loadFromBook(const QString &path);
    bool openBookFile(const QString &path); // clear, load, remember the folder

    // Page edits on the selection.
    void setSelection(std::vector<int> selection);
    bool moveUp();
    bool moveDown();
    bool moveToTop();
    bool moveToBottom();
    bool deleteSelected();
    bool duplicate();
    void selectAll();
    void setCurrentPosition(int position);

    void mergeOtherAttributes(kvb::AttributeList edited);
    // Marks the document as changed after an edit of the fields.
    void markModified() { m_doc.modified = true; }
    // The checks before a save (or, with rangesOnly, only those of taking
    // the fields over); false after the message, with a focus request.
    bool validate(bool rangesOnly = false);

    // Import.
    bool addPages(const QStringList &paths);
    bool addPagesCommand(const QStringList &paths); // adds, marks, scrolls to the end
    bool addImages();
    bool addFolderImages();
    bool openFolderAsDocumentCommand();
    void openFolderAsDocument(const QString &folder);
    // A new document from an archive: its pages, its ComicInfo.xml's
    // attributes, and the name rules of a folder for what that leaves empty.
    void openArchiveAsDocument(const QString &archive);
    bool openBook(); // a book, or an archive as a document
    bool dropFiles(const QStringList &paths) { return addPagesCommand(paths); }
    // The command line: each name that is not valid UTF-8 is reported, then
    // the words are split by the editor's rules and the paths taken.
    void processLaunchArguments(const LaunchArguments &launch);
    void processArguments(const QStringList &words);

    // Save and export.
    bool save();
    bool saveAs();
    bool exportPages(bool selectedOnly);
    // All pages as a stored ZIP with ComicInfo.xml, to a file chosen in a
    // save dialog.
    bool exportArchive();
    bool writeDocument(const QString &path);

    // The window's view of the state.
    ControlStates controlStates() const;
    QString windowTitle() const;
    // "0 becomes 1 with pages, 0 without" and the range limit.
    void normalizePosition();
    bool needsCloseQuestion() const { return !m_doc.pages.empty() && m_doc.modified; }
    // The closing question; true when the editor may close.
    bool confirmClose();

private:
    void appendWithThumbnails(kvb::PageList &newPages);
    // The pictures and books of a folder; names that cannot be used are
    // reported.
    QStringList folderEntries(const QString &folder);
    // The pages of an archive, read into a scratch file the editor keeps;
    // nothing, after the message, when it cannot be read. `comicInfo`, when
    // given, receives its ComicInfo.xml read (a file skipped is named).
    std::optional<kvb::PageList> archivePages(const QString &archive,
                                              std::optional<kvb::ComicInfo> *comicInfo = nullptr);
    // The title, date and name a folder or archive name gives a new document.
    void applyNameRules(const QString &path);
    // Scratch files no page refers to any more are removed.
    void releaseScratch();
    std::vector<int> makeThumbnails(int first, int last, platform::Progress *progress);
    void changed(unsigned flags) { m_changes |= flags; }
    void refreshNow();
    bool askClear();
    bool moveSelected(int target);
    // Whether writing the targets would replace a file a page is read from.
    bool replacesPageSource(const std::vector<QString> &targets) const;

    platform::Prompt &m_prompt;
    BookDocument m_doc;
    QString m_scratchFolder;
    std::vector<std::unique_ptr<platform::ScratchFile>> m_scratch;
    BinderySettings m_settings;
    InputHistories m_histories;
    QSize m_box{160, 200};
    platform::Progress m_noProgress;
    platform::Progress *m_progress = &m_noProgress;
    std::function<void()> m_refreshHook;
    int m_threads = 0;
    int m_eager = 16;
    bool m_makingThumbnails = false;
    unsigned m_changes = 0;
    Field m_focus = Field::None;
    // The book a save replaced, let go of on another thread (see
    // writeDocument); waited for by the next save and on destruction.
    std::future<void> m_replacedRelease;
};

} // namespace bindery
