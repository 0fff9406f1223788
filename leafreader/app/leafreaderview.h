#pragma once

#include "messagedlg.h"

#include "pageview/autoturn.h"
#include "pageview/bookcontroller.h"
#include "pageview/bookpainter.h"
#include "pageview/controldlg.h"
#include "pageview/pagesession.h"
#include "pageview/readersettings.h"
#include "shelf/bookentry.h"

#include "platform/prompt.h"
#include "ui/keepawake.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>

class QMenu;
class QScrollBar;

namespace leafreader {

// The one view of the reader's frame. In book mode it shows the pages of the
// open book and turns every key, click, wheel, menu item and pad button into
// a command for onCommand; in list mode it shows the list widget handed to
// it (the folder and resume screens) and passes list commands on.
class CLeafreaderView : public QWidget {
    Q_OBJECT
public:
    enum CloseMode { CloseWithoutRegistering = 0, CloseOverwrite = 1, CloseAdd = 2 };
    enum class FullScreenRequest { Toggle, Enter, Leave };

    CLeafreaderView(ReaderSettings &settings, platform::Prompt &prompt, QWidget *parent = nullptr);
    ~CLeafreaderView() override;

    // The one door for commands (menu ids and the actions of commands.h).
    void onCommand(int id);

    // Opens a book row; on failure shows the message and beeps, and the view
    // stays in list mode.
    bool openBook(const BookEntry &row);
    // Closes the open book in one of the three modes; bookClosed then
    // reports it so the resume list can register it.
    void closeBook(int mode);
    bool bookMode() const { return m_bookMode; }

    PageSession &session() { return m_session; }
    // The open book (or the last one shown): the row it was opened from with
    // its page count and layout flags, and the session's page, zoom region
    // and single-page override.
    BookEntry currentBook() const;
    BookController &controller() { return m_controller; }
    CControlDlg &controlPad() { return *m_pad; }
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
    // Whether the main window is in full screen (menu check mark).
    std::function<bool()> isFullScreen;

    // The timer's work, callable by tests with their own time.
    void timerTick(int64_t now);
    int64_t now() const { return m_clock.elapsed(); }
    // The book menu with its item states (the caller shows and deletes it).
    QMenu *createBookMenu();
    bool cursorHidden() const { return m_cursorHidden; }
    // Shows the control pad for a click at a screen point (its top-left
    // corner half its width left of the point and a tenth of its height
    // above), or hides it when it is visible.
    void toggleControlPadAt(QPoint globalPos);

signals:
    void documentTitleChanged(const QString &title);
    void bookOpenChanged(bool open);
    void fullScreenRequested(leafreader::CLeafreaderView::FullScreenRequest request);
    void exitRequested();
    // After the common part of closing: the resume list registers the book.
    void bookClosed(int mode, const leafreader::BookEntry &book, int pageAtOpening);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeScrollBar();
    void syncScrollBar();
    void scrollAction(int action);
    void updateViewport();
    void showStatus(const QString &text);
    void setCursorHidden(bool hidden);
    void padButton(int button);
    void showBookMenu(QPoint globalPos);

    ReaderSettings &m_settings;
    platform::Prompt &m_prompt;
    PageSession m_session;
    BookEntry m_book; // the row the shown book was opened from
    BookController m_controller;
    BookPainter m_painter;
    IdleCursor m_idle;
    platform::KeepAwake m_keepAwake;
    QScrollBar *m_scrollBar;
    CControlDlg *m_pad;
    MessageDlg *m_status;
    QWidget *m_list = nullptr;
    QTimer m_timer;
    QTimer m_resolutionTimer;
    QElapsedTimer m_clock;
    bool m_bookMode = false;
    bool m_menuOpen = false;
    bool m_cursorHidden = false;
    bool m_syncingBar = false;
    WheelNotches m_wheel;
};

} // namespace leafreader
