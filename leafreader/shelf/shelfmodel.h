#pragma once

#include "bookentry.h"
#include "folderlisting.h"
#include "resumelist.h"
#include "shelfsettings.h"

#include "platform/drives.h"
#include "platform/foldermove.h"
#include "platform/prompt.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace leafreader {

// The list mode of the reader without a window: the folder screen and the
// resume screen, their rows and selection, the current folder, the resume
// list and the remembered current book. The list widget shows `rows()` and
// forwards the user's actions here.
class ShelfModel {
public:
    enum class Screen { Folder, Resume };

    struct OpenRequest {
        enum Kind {
            Nothing,  // a folder or drive was entered, or the list was rebuilt
            OpenBook, // the caller opens `book` (and calls bookOpened on success)
            Beep,     // the row cannot be opened
        } kind = Nothing;
        BookEntry book;
    };

    ShelfModel(ShelfSettings &settings, platform::Prompt &prompt);

    // "The file information could not be read", naming the path.
    static QString infoFailedMessage(const QString &path);

    // Where the drive list comes from (tests hand in their own).
    void setDriveSource(std::function<std::vector<platform::Drive>()> source);
    // Called whenever the resume list or the current folder changed, so the
    // caller can store them at once.
    void setPersist(std::function<void()> persist) { m_persist = std::move(persist); }

    // Start-up: reads the resume list from the settings, chooses the folder
    // (that of `bookPath` when given, else CurrentFolder) and shows the first
    // screen. With a book path the folder screen selects that book and the
    // request says to open it.
    OpenRequest start(const QString &bookPath = {});
    // A book dropped on the window or handed over by a second start (a
    // folder is shown instead).
    OpenRequest openPath(const QString &bookPath);

    Screen screen() const { return m_screen; }
    bool onResumeScreen() const { return m_screen == Screen::Resume; }
    bool inDriveList() const { return m_screen == Screen::Folder && currentFolder().isEmpty(); }
    const QString &currentFolder() const { return m_settings.currentFolder; }
    const std::vector<BookEntry> &rows() const { return m_rows; }
    int selected() const { return m_selected; }
    void select(int row);
    const BookEntry *selectedRow() const;
    int folderBookCount() const { return m_bookCount; }
    ResumeList &resume() { return m_resume; }
    const ResumeList &resume() const { return m_resume; }
    const ShelfSettings &settings() const { return m_settings; }

    QString headerLine1() const;
    QString headerLine2() const;

    // Builds the screens. A folder that has gone asks to retry; cancelling
    // goes to the drive list.
    void showFolderScreen(const QString &selectName);
    void showResumeScreen(const BookEntry *selectEntry);
    // The current screen, selecting the remembered current book (after a
    // book closes).
    void showList();
    // The current screen again with the same row selected (layout change).
    void relist();

    OpenRequest openSelected();
    // The caller opened `row` as the current book.
    void bookOpened(const BookEntry &row);
    bool upOneFolder();
    bool toDriveList();
    void switchScreen(bool keepSelection);
    // Deletes resume entries of the selected row after `confirm` says yes.
    // False (beep) when the row has none.
    bool deleteResume(const std::function<bool()> &confirm);
    // The resume part of closing a book and the return to the list.
    ResumeList::CloseResult bookClosed(int mode, BookEntry &book, int pageAtOpening);
    // Another book is handed over (a later start, a drop) while `shown` is
    // open: the closing mode that keeps the shown book's place (overwrite
    // when it was opened at a resume entry, else add). None when the list
    // is full: the message is shown and the shown book stays open.
    std::optional<int> handOverCloseMode(const BookEntry &shown, int pageAtOpening);

    // Whether a list-mode menu command can act now (open, file information,
    // expand, up, top folder, delete resume entry).
    bool commandEnabled(int id) const;

    void setRememberedBook(const BookEntry &book) { m_remembered = book; }
    const BookEntry &rememberedBook() const { return m_remembered; }
    void resetRememberedBook() { m_remembered.reset(); }

    // Stores the resume list and the current folder into the settings
    // struct (the caller writes them to the store).
    void storeResume();

private:
    std::vector<platform::Drive> drives() const;
    void setCurrentFolder(const QString &folder);
    void changed();
    void selectByName(const QString &name);
    // A move on the folder screen from the current folder (false, nothing
    // done, on the resume screen or the drive list).
    bool moveFolder(platform::FolderMove (*move)(const QString &, const QStringList &));
    void reportListFull();

    ShelfSettings &m_settings;
    platform::Prompt &m_prompt;
    std::function<std::vector<platform::Drive>()> m_driveSource;
    std::function<void()> m_persist;
    ResumeList m_resume;
    Screen m_screen = Screen::Folder;
    std::vector<BookEntry> m_rows;
    std::vector<int> m_resumeIndex; // resume screen: row -> resume entry
    int m_selected = -1;
    int m_bookCount = 0;
    BookEntry m_remembered;
};

} // namespace leafreader
