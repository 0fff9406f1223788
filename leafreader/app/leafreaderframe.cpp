#include "leafreaderframe.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

namespace leafreader {

namespace {

// Show commands of a stored placement.
constexpr int kShowNormal = 1;
constexpr int kShowMaximized = 3;
constexpr int kShowRestore = 9;
constexpr int kRestoreToMaximized = 2; // placement flag

} // namespace

CLeafreaderFrame::CLeafreaderFrame(ReaderSettings &settings, QSettings &store,
                                   platform::Prompt &prompt)
    : m_settings(settings),
      m_store(store),
      m_stayAwake(QStringLiteral("Leafreader"), QStringLiteral("Leafreader is running"),
                  platform::KeepAwake::Kind::System),
      m_view(new CLeafreaderView(settings, prompt, this))
{
    m_stayAwake.hold();
    setMenuBar(nullptr);
    setCentralWidget(m_view);
    setMinimumSize(640, 480);
    setAcceptDrops(true);
    setDocumentTitle(QString());
    connect(m_view, &CLeafreaderView::documentTitleChanged, this, &CLeafreaderFrame::setDocumentTitle);
    connect(m_view, &CLeafreaderView::exitRequested, this, &QWidget::close);
    connect(m_view, &CLeafreaderView::fullScreenRequested, this,
            [this](CLeafreaderView::FullScreenRequest request) {
                switch (request) {
                case CLeafreaderView::FullScreenRequest::Toggle: toggleFullScreen(); break;
                case CLeafreaderView::FullScreenRequest::Enter: enterFullScreen(); break;
                case CLeafreaderView::FullScreenRequest::Leave: leaveFullScreenUnlessUser(); break;
                }
            });
    m_view->isFullScreen = [this] { return m_fullScreen; };
}

void CLeafreaderFrame::setDocumentTitle(const QString &title)
{
    setWindowTitle(title.isEmpty() ? QStringLiteral("Leafreader")
                                   : title + QStringLiteral(" - Leafreader"));
}

void CLeafreaderFrame::setFullScreen(bool on)
{
    if (on == m_fullScreen)
        return;
    if (on) {
        m_savedGeometry = normalGeometry();
        m_savedMaximized = isMaximized();
        m_hasSavedPlacement = true;
        m_fullScreen = true;
        showFullScreen();
    } else {
        m_fullScreen = false;
        showNormal();
        if (m_hasSavedPlacement) {
            setGeometry(m_savedGeometry);
            if (m_savedMaximized)
                showMaximized();
        } else {
            setGeometry(100, 80, 640, 480);
        }
    }
    m_view->settingsChanged();
    emit fullScreenChanged(m_fullScreen);
}

void CLeafreaderFrame::toggleFullScreen()
{
    setFullScreen(!m_fullScreen);
    m_userSwitch = m_fullScreen ? 1 : 0;
}

void CLeafreaderFrame::enterFullScreen()
{
    if (m_fullScreen) {
        m_userSwitch = 0;
        return;
    }
    setFullScreen(true);
    m_userSwitch = 1;
}

void CLeafreaderFrame::leaveFullScreenUnlessUser()
{
    if (m_fullScreen && m_userSwitch == 0)
        setFullScreen(false);
}

void CLeafreaderFrame::showWithPlacement()
{
    const WindowPlacement &p = m_settings.windowPos;
    if (m_settings.hasWindowPos && qgetenv("VELLORAN_IGNORE_WINPOS") != "1") {
        const QRect normal(p.left, p.top, p.right - p.left, p.bottom - p.top);
        if (normal.width() > 0 && normal.height() > 0)
            setGeometry(normal);
        m_savedGeometry = geometry();
        m_savedMaximized = p.showCommand == kShowMaximized;
        m_hasSavedPlacement = true;
    } else {
        resize(1024, 768);
    }
    if (m_settings.fullScreen) {
        // Without a stored placement, leaving full screen later uses the
        // fixed fallback window.
        m_fullScreen = true;
        showFullScreen();
    } else if (m_hasSavedPlacement && m_savedMaximized) {
        showMaximized();
    } else {
        show();
    }
}

void CLeafreaderFrame::storePlacement()
{
    m_settings.fullScreen = m_fullScreen;
    if (!m_fullScreen) {
        m_savedGeometry = normalGeometry();
        m_savedMaximized = isMaximized();
        m_hasSavedPlacement = true;
    }
    if (!m_hasSavedPlacement)
        return;
    WindowPlacement p;
    p.flags = m_savedMaximized ? kRestoreToMaximized : 0;
    if (isMinimized())
        p.showCommand = p.flags == kRestoreToMaximized ? kShowMaximized : kShowRestore;
    else
        p.showCommand = m_savedMaximized ? kShowMaximized : kShowNormal;
    p.minX = p.minY = p.maxX = p.maxY = -1;
    p.left = m_savedGeometry.left();
    p.top = m_savedGeometry.top();
    p.right = m_savedGeometry.left() + m_savedGeometry.width();
    p.bottom = m_savedGeometry.top() + m_savedGeometry.height();
    m_settings.windowPos = p;
    m_settings.hasWindowPos = true;
}

void CLeafreaderFrame::closeEvent(QCloseEvent *event)
{
    storePlacement();
    m_settings.saveWindow(m_store);
    m_stayAwake.release();
    event->accept();
}

void CLeafreaderFrame::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CLeafreaderFrame::dropEvent(QDropEvent *event)
{
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            emit fileDropped(url.toLocalFile());
            return;
        }
    }
}

} // namespace leafreader
