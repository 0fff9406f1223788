#include "pageview.h"

#include "commandmenu.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QWheelEvent>

namespace leafreader {

namespace {

constexpr int kTimerMs = 50;
constexpr int kResolutionDelayMs = 120;

} // namespace

CPageView::CPageView(const PageViewSettings &settings, PageRules rules, QWidget *parent)
    : QWidget(parent), m_pad(new CControlDlg(this)), m_viewSettings(settings), m_rules(rules)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_pad->hide();

    m_timer.setInterval(kTimerMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
    m_resolutionTimer.setSingleShot(true);
    m_resolutionTimer.setInterval(kResolutionDelayMs);
    connect(&m_resolutionTimer, &QTimer::timeout, this, [this] {
        if (m_pagesShown && m_session.refreshResolution())
            update();
    });
}

CPageView::~CPageView()
{
    m_timer.stop();
}

void CPageView::pagesOpened()
{
    if (m_viewSettings.hideCursor)
        setCursorHidden(true);
    m_idle.reset(mapFromGlobal(QCursor::pos()));
    m_wheel.reset();
    m_painter.clear();
    m_pagesShown = true;
    setFocus();
    update();
}

void CPageView::pagesClosed()
{
    m_pagesShown = false;
    m_painter.clear();
    if (m_viewSettings.hideCursor)
        setCursorHidden(false);
}

void CPageView::updateViewport()
{
    m_session.setViewport(pageBox(), m_viewSettings.space, m_viewSettings.picEnlarge);
    m_session.setPixelRatio(devicePixelRatioF());
}

void CPageView::viewResized()
{
    updateViewport();
    if (m_pagesShown)
        m_resolutionTimer.start();
}

bool CPageView::frameCommand(int id)
{
    switch (id) {
    case CmdFullScreen: emit fullScreenRequested(FullScreenRequest::Toggle); return true;
    case CmdEnterFullScreen: emit fullScreenRequested(FullScreenRequest::Enter); return true;
    case CmdLeaveFullScreen: emit fullScreenRequested(FullScreenRequest::Leave); return true;
    case CmdExit: emit exitRequested(); return true;
    case CmdHidePad: m_pad->hide(); return true;
    case CmdControlPad: toggleControlPadAt(QCursor::pos()); return true;
    default: return false;
    }
}

void CPageView::paintPages(QPainter &painter)
{
    if (devicePixelRatioF() != m_session.pixelRatio()) {
        // Moved to a screen of another scale: decode for it shortly.
        m_session.setPixelRatio(devicePixelRatioF());
        m_resolutionTimer.start();
    }
    m_painter.paint(painter, m_session);
}

void CPageView::tickPointer()
{
    if (!m_pagesShown) {
        if (m_viewSettings.hideCursor)
            setCursorHidden(false);
        return;
    }
    const QPoint cursor = mapFromGlobal(QCursor::pos());
    const IdleCursor::Action action = m_idle.tick(cursor, pageBox().toRect().contains(cursor), m_menuOpen);
    if (m_viewSettings.hideCursor && action != IdleCursor::Action::None)
        setCursorHidden(action == IdleCursor::Action::Hide);
}

void CPageView::setCursorHidden(bool hidden)
{
    if (hidden == m_cursorHidden)
        return;
    m_cursorHidden = hidden;
    if (hidden)
        setCursor(Qt::BlankCursor);
    else
        unsetCursor();
}

void CPageView::execMenu(QMenu *menu, QPoint globalPos)
{
    setCursorHidden(false);
    execViewMenu(menu, globalPos, m_menuOpen);
}

void CPageView::startTicking()
{
    if (!m_timer.isActive())
        m_timer.start();
}

void CPageView::listKeyPress(QKeyEvent *event)
{
    QWidget::keyPressEvent(event);
}

void CPageView::listMousePress(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
}

void CPageView::keyPressEvent(QKeyEvent *event)
{
    if (!m_pagesShown) {
        listKeyPress(event);
        return;
    }
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    const int command = m_rules.keyCommand(event->key(), event->modifiers());
    if (command > 0)
        onCommand(command);
    if (command != 0)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void CPageView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (!m_pagesShown) {
        listMousePress(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    const int command = m_rules.cellCommand(gridCell(point, pageBox()), m_session.zoom() != 0);
    if (command == CmdControlPad)
        toggleControlPadAt(mapToGlobal(point));
    else if (command)
        onCommand(command);
}

void CPageView::wheelEvent(QWheelEvent *event)
{
    if (!m_pagesShown) {
        QWidget::wheelEvent(event);
        return;
    }
    for (const int command : m_wheel.commands(event->angleDelta(), m_session.zoom() != 0))
        onCommand(command);
    event->accept();
}

void CPageView::contextMenuEvent(QContextMenuEvent *event)
{
    const Box pages = pageBox();
    showMenu(event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(QPoint(pages.left + 50, pages.top + 50))
                                                            : event->globalPos());
}

void CPageView::showEvent(QShowEvent *)
{
    startTicking();
}

bool CPageView::focusNextPrevChild(bool next)
{
    if (m_pagesShown)
        return false;
    return QWidget::focusNextPrevChild(next);
}

} // namespace leafreader
