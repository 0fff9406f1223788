#include "leafreaderview.h"

#include "pageview/booksource.h"
#include "pageview/commandmenu.h"
#include "platform/filenames.h"
#include "platform/paths.h"
#include "platform/version.h"
#include "ui/waitcursor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <cstdlib>

namespace leafreader {

CLeafreaderView::CLeafreaderView(ReaderSettings &settings, platform::Prompt &prompt, QWidget *parent)
    : CPageView(settings, {bookKeyCommand, bookCellCommand}, parent),
      m_settings(settings),
      m_prompt(prompt),
      m_controller(m_session, settings),
      m_keepAwake(QStringLiteral("Leafreader"), QStringLiteral("A book is shown")),
      m_scrollBar(new QScrollBar(Qt::Vertical, this)),
      m_status(new MessageDlg(this))
{
    m_clock.start();
    m_scrollBar->hide();
    m_scrollBar->setSingleStep(1);
    connect(m_scrollBar, &QScrollBar::actionTriggered, this, &CLeafreaderView::scrollAction);
    m_scrollBar->installEventFilter(this);
    m_pad->setPadSize(CControlDlg::readerPadSize(m_settings.scalePad));
    m_status->hide();
    connect(m_pad, &CControlDlg::buttonClicked, this, &CLeafreaderView::padButton);

    m_controller.onStatus = [this](const QString &text) { showStatus(text); };
    m_controller.onRepaint = [this] {
        syncScrollBar();
        update();
    };
    m_controller.clock = [this] { return now(); };
}

CLeafreaderView::~CLeafreaderView()
{
    // Closing the window with a book open registers nothing.
    if (pagesShown())
        m_session.close();
}

Box CLeafreaderView::clientBox() const
{
    const int bar = m_scrollBar->isVisibleTo(this) ? m_scrollBar->sizeHint().width() : 0;
    return {0, 0, std::max(0, width() - bar), height()};
}

PageLayout CLeafreaderView::currentLayout() const
{
    return computeLayout(m_session.layoutInput());
}

void CLeafreaderView::settingsChanged()
{
    m_pad->setPadSize(CControlDlg::readerPadSize(m_settings.scalePad));
    updateViewport();
    if (pagesShown())
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
    m_list->setVisible(!pagesShown());
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
                             ? tr("ファイルを開けません。")
                             : tr("Page画像のロードに失敗しました。"),
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
    m_syncingBar = true;
    m_scrollBar->setRange(0, std::max(0, m_session.pageCount() - 1));
    m_scrollBar->setPageStep(std::max(1, m_settings.skipForward));
    m_syncingBar = false;
    syncScrollBar();
    m_controller.bookOpened();
    pagesOpened();
    m_keepAwake.hold();
    emit bookOpenChanged(true);
    return true;
}

void CLeafreaderView::closeBook(int mode)
{
    if (!pagesShown())
        return;
    pagesClosed();
    m_session.close();
    emit documentTitleChanged(QString());
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
    if (!pagesShown() && !m_session.isOpen())
        return;
    m_syncingBar = true;
    // Sets the slider position too.
    m_scrollBar->setValue(m_session.position() - 1);
    m_syncingBar = false;
}

void CLeafreaderView::scrollAction(int action)
{
    if (m_syncingBar || !pagesShown())
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
    if (pagesShown() && m_controller.onCommand(id)) {
        syncScrollBar();
        return;
    }
    if (frameCommand(id))
        return;
    switch (id) {
    case CmdAbout:
        m_prompt.message(QStringLiteral("Leafreader") + platform::versionText(),
                         platform::PromptIcon::Information, platform::PromptButtons::Ok,
                         tr("Leafreaderについて"));
        return;
    case CmdCloseNoRegister:
    case CmdCloseOverwrite:
    case CmdCloseAdd:
        if (pagesShown()) {
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

void CLeafreaderView::timerTick(int64_t time)
{
    tickPointer();
    QWidget *focus = QApplication::focusWidget();
    if (pagesShown()) {
        if (focus && (focus == m_pad || m_pad->isAncestorOf(focus)))
            setFocus();
        m_controller.tick(time);
    } else if (m_list && focus && (focus == this || focus == m_pad || m_pad->isAncestorOf(focus))) {
        m_list->setFocus();
    }
    m_status->expire(time);
}

void CLeafreaderView::padButton(int button)
{
    if (pagesShown()) {
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
    if (!pagesShown()) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    paintPages(painter);
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
    viewResized();
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

void CLeafreaderView::listKeyPress(QKeyEvent *event)
{
    if (event->isAutoRepeat())
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void CLeafreaderView::showMenu(QPoint globalPos)
{
    if (pagesShown())
        execMenu(createBookMenu(), globalPos);
    else if (listContextMenu)
        listContextMenu(globalPos);
}

QMenu *CLeafreaderView::createBookMenu()
{
    static constexpr CommandItem kClose[] = {
        {CmdFullScreen, QT_TRANSLATE_NOOP("CommandMenu", "Full Screen 切替"), "Ctrl+F"},
        {0, nullptr, nullptr},
        {CmdCloseNoRegister, QT_TRANSLATE_NOOP("CommandMenu", "Resume登録せずに閉じる"), "Esc"},
        {CmdCloseOverwrite, QT_TRANSLATE_NOOP("CommandMenu", "Resume上書きして閉じる"), "Ctrl+C"},
        {CmdCloseAdd, QT_TRANSLATE_NOOP("CommandMenu", "Resume追加して閉じる"), "Ctrl+S"},
        {0, nullptr, nullptr},
    };
    static constexpr CommandItem kAutoTurn[] = {
        {CmdAutoTurn, QT_TRANSLATE_NOOP("CommandMenu", "自動送り"), "Backspace"},
        {0, nullptr, nullptr},
    };
    static constexpr CommandItem kLayout[] = {
        {CmdSinglePage, QT_TRANSLATE_NOOP("CommandMenu", "単ページ"), nullptr},
        {CmdSpread, QT_TRANSLATE_NOOP("CommandMenu", "見開き"), nullptr},
    };
    static constexpr CommandItem kRotation[] = {
        {CmdRotate0, QT_TRANSLATE_NOOP("CommandMenu", "回転なし"), nullptr},
        {CmdRotate1, QT_TRANSLATE_NOOP("CommandMenu", "右90°"), nullptr},
        {CmdRotate3, QT_TRANSLATE_NOOP("CommandMenu", "左90°"), nullptr},
        {CmdRotate2, QT_TRANSLATE_NOOP("CommandMenu", "180°"), nullptr},
    };
    static constexpr CommandItem kEnd[] = {
        {0, nullptr, nullptr},
        {CmdFileInfo, QT_TRANSLATE_NOOP("CommandMenu", "ファイル情報"), "Ctrl+I"},
        {0, nullptr, nullptr},
        {CmdExit, QT_TRANSLATE_NOOP("CommandMenu", "終了"), "Alt+F4"},
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
    QMenu *layout = addCommandSubmenu(menu, QT_TRANSLATE_NOOP("CommandMenu", "レイアウト"));
    addCommandItems(layout, kLayout, state, command);
    QMenu *zoom = addCommandSubmenu(menu, QT_TRANSLATE_NOOP("CommandMenu", "拡大表示"));
    addCommandItems(zoom, zoomMenuItems(), state, command);
    QMenu *rotation = addCommandSubmenu(menu, QT_TRANSLATE_NOOP("CommandMenu", "回転表示"));
    addCommandItems(rotation, kRotation, state, command);
    addCommandItems(menu, kEnd, state, command);
    return menu;
}

} // namespace leafreader
