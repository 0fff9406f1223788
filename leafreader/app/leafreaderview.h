#pragma once

#include "messagedlg.h"

#include "pageview/pageview.h"
#include "pageview/readersettings.h"
#include "shelf/bookentry.h"

#include "platform/prompt.h"
#include "ui/keepawake.h"

#include <QElapsedTimer>

#include <functional>

class QMenu;
class QScrollBar;

namespace leafreader {

// The one view of the reader's frame. In book mode it shows the pages of the
// open book and turns every key, click, wheel, menu item and pad button into
// a command for onCommand; in list mode it shows the list widget handed to
// it (the folder and resume screens) and passes list commands on.
class CLeafreaderView : public CPageView {
    Q_OBJECT
public:
    enum CloseMode { CloseWithoutRegistering = 0, CloseOverwrite = 1, CloseAdd = 2 };

    CLeafreaderView(ReaderSettings &settings, platform::Prompt &prompt, QWidget *parent = nullptr);
    ~CLeafreaderView() override;

    // Menu ids and the actions of commands.h.
    void onCommand(int id) override;

    // Opens a book row; on failure shows the message and beeps, and the view
    // stays in list mode.
    bool openBook(const BookEntry &row);
    // Closes the open book in one of the three modes; bookClosed then
    // reports it so the resume list can register it.
    void closeBook(int mode);
    bool bookMode() const { return pagesShown(); }

    // The open book (or the last one shown): the row it was opened from with
    // its page count and layout flags, and the session's page, zoom region
    // and single-page override.
    BookEntry currentBook() const;
    BookController &controller() { return m_controller; }
    MessageDlg &statusPopup() { return *m_status; }
    // The area pages are drawn into (the view without its scroll bar).
    Box clientBox() const;
    // The layout of the last paint's inputs (what paintEvent draws).
    PageLayout currentLayout() const;
    // Settings changed (gap, enlarge, pad scale): lay out and paint again.
    void settingsChanged();

    // List mode: the widget of the list screens, shown when no book is open.
    void setListWidget(QWidget *list);
    // Commands the book mode does not handle (list commands, settings, file
    // information...). Returns false when it did not take the command.
    std::function<bool(int id)> listCommand;
    // A control-pad button pressed in list mode.
    std::function<void(int button)> listPadButton;
    // The list-mode context menu (global position).
    std::function<void(QPoint globalPos)> listContextMenu;

    // The timer's work, callable by tests with their own time.
    void timerTick(int64_t now);
    int64_t now() const { return m_clock.elapsed(); }
    // The book menu with its item states (the caller shows and deletes it).
    QMenu *createBookMenu();
    // Shows the control pad for a click at a screen point (its top-left
    // corner half its width left of the point and a tenth of its height
    // above), or hides it when it is visible.
    void toggleControlPadAt(QPoint globalPos) override;

signals:
    void bookOpenChanged(bool open);
    // After the common part of closing: the resume list registers the book.
    void bookClosed(int mode, const leafreader::BookEntry &book, int pageAtOpening);

protected:
    Box pageBox() const override { return clientBox(); }
    void tick() override { timerTick(now()); }
    void showMenu(QPoint globalPos) override;
    void listKeyPress(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeScrollBar();
    void syncScrollBar();
    void scrollAction(int action);
    void showStatus(const QString &text);
    void padButton(int button);

    ReaderSettings &m_settings;
    platform::Prompt &m_prompt;
    BookEntry m_book; // the row the shown book was opened from
    BookController m_controller;
    platform::KeepAwake m_keepAwake;
    QScrollBar *m_scrollBar;
    MessageDlg *m_status;
    QWidget *m_list = nullptr;
    QElapsedTimer m_clock;
    bool m_syncingBar = false;
};

} // namespace leafreader
