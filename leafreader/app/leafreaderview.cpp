#include "leafreaderview.h"

#include "pageview/booksource.h"
#include "pageview/commandmenu.h"
#include "platform/filenames.h"
#include "platform/paths.h"
#include "platform/version.h"
#include "ui/waitcursor.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <cstdlib>

namespace leafreader {

namespace {

constexpr int kTimerMs = 50;
constexpr int kResolutionDelayMs = 120;

} // namespace

CLeafreaderView::CLeafreaderView(ReaderSettings &settings, platform::Prompt &prompt, QWidget *parent)
    : QWidget(parent),
      m_settings(settings),
      m_prompt(prompt),
      m_controller(m_session, settings),
      m_keepAwake(QStringLiteral("Leafreader"), QStringLiteral("A book is shown")),
      m_scrollBar(new QScrollBar(Qt::Vertical, this)),
      m_pad(new CControlDlg(this)),
      m_status(new MessageDlg(this))
{
    m_clock.start();
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_scrollBar->hide();
    m_scrollBar->setSingleStep(1);
    connect(m_scrollBar, &QScrollBar::actionTriggered, this, &CLeafreaderView::scrollAction);
    m_scrollBar->installEventFilter(this);
    m_pad->setPadSize(CControlDlg::readerPadSize(m_settings.scalePad));
    m_pad->hide();
    m_status->hide();
    connect(m_pad, &CControlDlg::buttonClicked, this, &CLeafreaderView::padButton);

    m_controller.onStatus = [this](const QString &text) { showStatus(text); };
    m_controller.onRepaint = [this] {
        syncScrollBar();
        update();
    };
    m_controller.clock = [this] { return now(); };

    m_timer.setInterval(kTimerMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { timerTick(now()); });
    m_resolutionTimer.setSingleShot(true);
    m_resolutionTimer.setInterval(kResolutionDelayMs);
    connect(&m_resolutionTimer, &QTimer::timeout, this, [this] {
        if (m_bookMode && m_session.refreshResolution())
            update();
    });
}

CLeafreaderView::~CLeafreaderView()
{
    m_timer.stop();
    // Closing the window with a book open registers nothing.
    if (m_bookMode) {
        m_session.close();
        m_bookMode = false;
    }
}

Box CLeafreaderView::clientBox() const
{
    const int bar = m_scrollBar->isVisibleTo(this) ? m_scrollBar->sizeHint().width() : 0;
    return {0, 0, std::max(0, width() - bar), height()};
}

void CLeafreaderView::updateViewport()
{
    m_session.setViewport(clientBox(), m_settings.space, m_settings.picEnlarge);
    m_session.setPixelRatio(devicePixelRatioF());
}

PageLayout CLeafreaderView::currentLayout() const
{
    return computeLayout(m_session.layoutInput());
}

void CLeafreaderView::settingsChanged()
{
    m_pad->setPadSize(CControlDlg::readerPadSize(m_settings.scalePad));
    updateViewport();
    if (m_bookMode)
        m_session.refreshResolution();
    update();
}

void CLeafreaderView::setListWidget(QWidget *list)
{
    m_list = list;
    if (!m_list)
        return;
    m_list->setParent(this);
    m_list->setGeometry(rect());
    m_list->setVisible(!m_bookMode);
}

bool CLeafreaderView::openBook(const BookEntry &row)
{
    PageSession::OpenResult result;
    {
        platform::WaitCursor wait;
        // The scroll bar a book shows takes its part of the width before the
        // pages are decoded for the rest.
        placeScrollBar();
        m_scrollBar->show();
        updateViewport();
        PageSession::Start start;
        start.position = row.page;
        start.singlePage = row.singlePage != 0;
        start.zoom = row.zoom;
        result = leafreader::openBook(m_session, row.path, start);
    }
    if (result != PageSession::OpenResult::Opened) {
        m_scrollBar->hide();
        m_prompt.message(result == PageSession::OpenResult::CannotOpen
                             ? QStringLiteral("ファイルを開けません。")
                             : QStringLiteral("Page画像のロードに失敗しました。"),
                         platform::PromptIcon::Stop);
        m_prompt.beep();
        return false;
    }
    m_book = row;
    m_book.pageCount = uint16_t(m_session.pageCount());
    m_book.layoutFlags = m_session.layoutFlags();
    emit documentTitleChanged(platform::shownName(platform::fileNameOf(row.path)));
    if (m_list)
        m_list->hide();
    if (m_settings.hideCursor)
        setCursorHidden(true);
    m_idle.reset(mapFromGlobal(QCursor::pos()));
    m_syncingBar = true;
    m_scrollBar->setRange(0, std::max(0, m_session.pageCount() - 1));
    m_scrollBar->setPageStep(std::max(1, m_settings.skipForward));
    m_syncingBar = false;
    syncScrollBar();
    m_controller.bookOpened();
    m_wheel.reset();
    m_bookMode = true;
    m_painter.clear();
    setFocus();
    update();
    m_keepAwake.hold();
    emit bookOpenChanged(true);
    return true;
}

void CLeafreaderView::closeBook(int mode)
{
    if (!m_bookMode)
        return;
    m_bookMode = false;
    m_session.close();
    m_painter.clear();
    emit documentTitleChanged(QString());
    if (m_settings.hideCursor)
        setCursorHidden(false);
    m_scrollBar->hide();
    m_keepAwake.release();
    emit bookOpenChanged(false);
    if (m_list) {
        m_list->setGeometry(rect());
        m_list->show();
        m_list->setFocus();
    }
    update();
    emit bookClosed(mode, currentBook(), m_session.positionAtOpening());
}

BookEntry CLeafreaderView::currentBook() const
{
    BookEntry book = m_book;
    book.page = m_session.position();
    book.zoom = m_session.zoom();
    book.singlePage = m_session.singlePage() ? 1 : 0;
    return book;
}

void CLeafreaderView::syncScrollBar()
{
    if (!m_bookMode && !m_session.isOpen())
        return;
    m_syncingBar = true;
    // Sets the slider position too.
    m_scrollBar->setValue(m_session.position() - 1);
    m_syncingBar = false;
}

void CLeafreaderView::scrollAction(int action)
{
    if (m_syncingBar || !m_bookMode)
        return;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: onCommand(CmdPreviousPage); break;
    case QAbstractSlider::SliderSingleStepAdd: onCommand(CmdNextPage); break;
    case QAbstractSlider::SliderPageStepSub: onCommand(CmdSkipBack); break;
    case QAbstractSlider::SliderPageStepAdd: onCommand(CmdSkipForward); break;
    case QAbstractSlider::SliderToMinimum: onCommand(CmdFirstPage); break;
    case QAbstractSlider::SliderToMaximum: onCommand(CmdLastPage); break;
    case QAbstractSlider::SliderMove:
        if (m_session.scrollTo(m_scrollBar->sliderPosition()))
            update();
        break;
    default: break;
    }
    // The bar shows the book's position, whatever the action computed.
    m_scrollBar->setSliderPosition(m_session.position() - 1);
}

void CLeafreaderView::onCommand(int id)
{
    if (m_bookMode && m_controller.onCommand(id)) {
        syncScrollBar();
        return;
    }
    switch (id) {
    case CmdFullScreen: emit fullScreenRequested(FullScreenRequest::Toggle); return;
    case CmdEnterFullScreen: emit fullScreenRequested(FullScreenRequest::Enter); return;
    case CmdLeaveFullScreen: emit fullScreenRequested(FullScreenRequest::Leave); return;
    case CmdExit: emit exitRequested(); return;
    case CmdHidePad: m_pad->hide(); return;
    case CmdControlPad: toggleControlPadAt(QCursor::pos()); return;
    case CmdAbout:
        m_prompt.message(QStringLiteral("Leafreader") + platform::versionText(),
                         platform::PromptIcon::Information, platform::PromptButtons::Ok,
                         QStringLiteral("Leafreaderについて"));
        return;
    case CmdCloseNoRegister:
    case CmdCloseOverwrite:
    case CmdCloseAdd:
        if (m_bookMode) {
            closeBook(id == CmdCloseNoRegister ? CloseWithoutRegistering
                      : id == CmdCloseOverwrite ? CloseOverwrite
                                                : CloseAdd);
            return;
        }
        break;
    default: break;
    }
    if (listCommand && listCommand(id))
        return;
}

void CLeafreaderView::showStatus(const QString &text)
{
    m_status->showText(text, window(), now());
}

void CLeafreaderView::setCursorHidden(bool hidden)
{
    if (hidden == m_cursorHidden)
        return;
    m_cursorHidden = hidden;
    if (hidden)
        setCursor(Qt::BlankCursor);
    else
        unsetCursor();
}

void CLeafreaderView::timerTick(int64_t time)
{
    if (m_bookMode) {
        const QPoint cursor = mapFromGlobal(QCursor::pos());
        const bool inside = clientBox().toRect().contains(cursor);
        const IdleCursor::Action action = m_idle.tick(cursor, inside, m_menuOpen);
        if (m_settings.hideCursor && action != IdleCursor::Action::None)
            setCursorHidden(action == IdleCursor::Action::Hide);
        QWidget *focus = QApplication::focusWidget();
        if (focus && (focus == m_pad || m_pad->isAncestorOf(focus)))
            setFocus();
        m_controller.tick(time);
    } else {
        if (m_settings.hideCursor)
            setCursorHidden(false);
        QWidget *focus = QApplication::focusWidget();
        if (m_list && focus && (focus == this || focus == m_pad || m_pad->isAncestorOf(focus)))
            m_list->setFocus();
    }
    m_status->expire(time);
}

void CLeafreaderView::padButton(int button)
{
    if (m_bookMode) {
        const int command = bookPadCommand(button);
        if (command)
            onCommand(command);
        return;
    }
    if (listPadButton)
        listPadButton(button);
}

void CLeafreaderView::toggleControlPadAt(QPoint global)
{
    const QSize size = m_pad->size();
    m_pad->toggleAt(QPoint(global.x() - size.width() / 2, global.y() - size.height() / 10));
}

void CLeafreaderView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_bookMode) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    if (devicePixelRatioF() != m_session.pixelRatio()) {
        // Moved to a screen of another scale: decode for it shortly.
        m_session.setPixelRatio(devicePixelRatioF());
        m_resolutionTimer.start();
    }
    m_painter.paint(painter, m_session);
    // Under the scroll bar nothing is drawn; keep it grey as well.
    const Box client = clientBox();
    if (client.right < width())
        painter.fillRect(QRect(client.right, 0, width() - client.right, height()),
                         QColor(kPageGrey, kPageGrey, kPageGrey));
}

void CLeafreaderView::placeScrollBar()
{
    const int bar = m_scrollBar->sizeHint().width();
    m_scrollBar->setGeometry(width() - bar, 0, bar, height());
}

void CLeafreaderView::resizeEvent(QResizeEvent *)
{
    placeScrollBar();
    if (m_list)
        m_list->setGeometry(rect());
    updateViewport();
    if (m_bookMode)
        m_resolutionTimer.start();
}

void CLeafreaderView::showEvent(QShowEvent *)
{
    if (!m_timer.isActive())
        m_timer.start();
}

bool CLeafreaderView::eventFilter(QObject *watched, QEvent *event)
{
    // The wheel over the scroll bar turns pages as over the pages, not by
    // the bar's own wheel lines.
    if (watched == m_scrollBar && event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent *>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool CLeafreaderView::focusNextPrevChild(bool next)
{
    // Tab is a command key in book mode.
    if (m_bookMode)
        return false;
    return QWidget::focusNextPrevChild(next);
}

void CLeafreaderView::keyPressEvent(QKeyEvent *event)
{
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    if (m_bookMode) {
        const int command = bookKeyCommand(event->key(), event->modifiers());
        if (command > 0)
            onCommand(command);
        if (command != 0) {
            event->accept();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void CLeafreaderView::mousePressEvent(QMouseEvent *event)
{
    if (!m_bookMode || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    const int command = bookCellCommand(gridCell(point, clientBox()), m_session.zoom() != 0);
    if (command == CmdControlPad)
        toggleControlPadAt(mapToGlobal(point));
    else if (command)
        onCommand(command);
}

void CLeafreaderView::wheelEvent(QWheelEvent *event)
{
    if (!m_bookMode) {
        QWidget::wheelEvent(event);
        return;
    }
    for (const int command : m_wheel.commands(event->angleDelta(), m_session.zoom() != 0))
        onCommand(command);
    event->accept();
}

void CLeafreaderView::contextMenuEvent(QContextMenuEvent *event)
{
    QPoint global = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard)
        global = mapToGlobal(QPoint(clientBox().left + 50, clientBox().top + 50));
    if (m_bookMode)
        showBookMenu(global);
    else if (listContextMenu)
        listContextMenu(global);
}

QMenu *CLeafreaderView::createBookMenu()
{
    static constexpr CommandItem kClose[] = {
        {CmdFullScreen, u"Full Screen 切替", u"Ctrl+F"},
        {0, nullptr, nullptr},
        {CmdCloseNoRegister, u"Resume登録せずに閉じる", u"Esc"},
        {CmdCloseOverwrite, u"Resume上書きして閉じる", u"Ctrl+C"},
        {CmdCloseAdd, u"Resume追加して閉じる", u"Ctrl+S"},
        {0, nullptr, nullptr},
    };
    static constexpr CommandItem kAutoTurn[] = {{CmdAutoTurn, u"自動送り", u"Backspace"}, {0, nullptr, nullptr}};
    static constexpr CommandItem kLayout[] = {{CmdSinglePage, u"単ページ", nullptr}, {CmdSpread, u"見開き", nullptr}};
    static constexpr CommandItem kRotation[] = {
        {CmdRotate0, u"回転なし", nullptr},
        {CmdRotate1, u"右90°", nullptr},
        {CmdRotate3, u"左90°", nullptr},
        {CmdRotate2, u"180°", nullptr},
    };
    static constexpr CommandItem kEnd[] = {
        {0, nullptr, nullptr},
        {CmdFileInfo, u"ファイル情報", u"Ctrl+I"},
        {0, nullptr, nullptr},
        {CmdExit, u"終了", u"Alt+F4"},
    };
    const auto state = [this](int id) {
        if (id == CmdFullScreen)
            return ItemState{true, isFullScreen && isFullScreen()};
        return m_controller.itemState(id);
    };
    const auto command = [this](int id) { onCommand(id); };
    auto *menu = new QMenu(this);
    addCommandItems(menu, kClose, state, command);
    addCommandItems(menu, pageMoveMenuItems(), state, command);
    addCommandItems(menu, kAutoTurn, state, command);
    addCommandItems(menu->addMenu(QStringLiteral("レイアウト")), kLayout, state, command);
    addCommandItems(menu->addMenu(QStringLiteral("拡大表示")), zoomMenuItems(), state, command);
    addCommandItems(menu->addMenu(QStringLiteral("回転表示")), kRotation, state, command);
    addCommandItems(menu, kEnd, state, command);
    return menu;
}

void CLeafreaderView::showBookMenu(QPoint globalPos)
{
    setCursorHidden(false);
    execViewMenu(createBookMenu(), globalPos, m_menuOpen);
}

} // namespace leafreader
