#pragma once

#include "autoturn.h"
#include "bookcontroller.h"
#include "bookpainter.h"
#include "controldlg.h"
#include "pagesession.h"
#include "viewsettings.h"

#include <QTimer>
#include <QWidget>

#include <functional>

class QMenu;

namespace leafreader {

// What every program's page view does alike: the session and its painter;
// the keys, click cells and wheel over the pages as commands; the control
// pad; the resting pointer hidden; decoding again for a screen of another
// scale; a 50 ms timer; and the requests to the frame. The program's view
// says what its keys, cells and pad buttons mean, and shows its list while
// no pages are shown.
class CPageView : public QWidget {
    Q_OBJECT
public:
    enum class FullScreenRequest { Toggle, Enter, Leave };

    // The one door for commands (menu ids, keys, cells, wheel notches, pad
    // buttons).
    virtual void onCommand(int id) = 0;
    // Shows the control pad for a click at a screen point, or hides it.
    virtual void toggleControlPadAt(QPoint globalPos) = 0;

    bool pagesShown() const { return m_pagesShown; }
    PageSession &session() { return m_session; }
    CControlDlg &controlPad() { return *m_pad; }
    bool cursorHidden() const { return m_cursorHidden; }
    // Whether the main window is in full screen (menu check mark).
    std::function<bool()> isFullScreen;

signals:
    void documentTitleChanged(const QString &title);
    void fullScreenRequested(leafreader::CPageView::FullScreenRequest request);
    void exitRequested();

protected:
    // What a key and a click cell (0..8 of the 3 x 3 grid) mean while pages
    // are shown: a command; for a key 0 leaves it to the default handling
    // and -1 takes it without action.
    struct PageRules {
        int (*keyCommand)(int key, Qt::KeyboardModifiers modifiers);
        int (*cellCommand)(int cell, bool zoomed);
    };
    CPageView(const PageViewSettings &settings, PageRules rules, QWidget *parent);
    ~CPageView() override;

    // Where the pages are drawn: the whole view unless the program keeps a
    // part of it.
    virtual Box pageBox() const { return Box::fromRect(rect()); }
    // The timer's work, every 50 ms while the view is shown.
    virtual void tick() = 0;
    // The context menu of what is shown, at a screen point.
    virtual void showMenu(QPoint globalPos) = 0;
    // A key, and a left click, while no pages are shown; by default the
    // widget's own handling.
    virtual void listKeyPress(QKeyEvent *event);
    virtual void listMousePress(QMouseEvent *event);

    // Pages opened: the pointer hides (when the settings say so) and rests
    // from here, the wheel sums from nothing and the view takes the keys.
    void pagesOpened();
    // Pages closed: the pointer shows again.
    void pagesClosed();
    void updateViewport();
    // After a resize: the viewport, and the pages decoded again for the new
    // size shortly.
    void viewResized();
    // The commands every page view answers alike: full screen, exit and the
    // control pad. False for any other.
    bool frameCommand(int id);
    // Draws the pages, noting first a move to a screen of another scale.
    void paintPages(QPainter &painter);
    // The pointer hides after resting over the pages and shows on a move; no
    // pages, no hiding.
    void tickPointer();
    void setCursorHidden(bool hidden);
    // Shows a menu of the view with the pointer, and deletes it.
    void execMenu(QMenu *menu, QPoint globalPos);
    void startTicking();

    // Keys and left clicks on the pages become commands (a held key repeats
    // none); without pages they are the list's.
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    // Over the pages a notch of the wheel is a command.
    void wheelEvent(QWheelEvent *event) override;
    // From the keyboard the menu opens near the pages' top-left corner.
    void contextMenuEvent(QContextMenuEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // Tab is a command key over the pages.
    bool focusNextPrevChild(bool next) override;

    PageSession m_session;
    CControlDlg *m_pad;

private:
    const PageViewSettings &m_viewSettings;
    PageRules m_rules;
    BookPainter m_painter;
    IdleCursor m_idle;
    WheelNotches m_wheel;
    QTimer m_timer;
    QTimer m_resolutionTimer;
    bool m_pagesShown = false;
    bool m_menuOpen = false;
    bool m_cursorHidden = false;
};

} // namespace leafreader
