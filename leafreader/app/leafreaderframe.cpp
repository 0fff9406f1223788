#include "leafreaderframe.h"

#include "platform/filenames.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

namespace leafreader {

CLeafreaderFrame::CLeafreaderFrame(ReaderSettings &settings, ui::FrameSettings &frameSettings,
                                   QSettings &store, platform::Prompt &prompt)
    : m_frameSettings(frameSettings),
      m_store(store),
      m_stayAwake(QStringLiteral("Leafreader"), QStringLiteral("Leafreader is running"),
                  platform::KeepAwake::Kind::System),
      m_view(new CLeafreaderView(settings, prompt, this)),
      m_placement(*this, frameSettings)
{
    m_stayAwake.hold();
    setMenuBar(nullptr);
    setCentralWidget(m_view);
    setAcceptDrops(true);
    setDocumentTitle(QString());
    connect(m_view, &CLeafreaderView::documentTitleChanged, this, &CLeafreaderFrame::setDocumentTitle);
    connect(m_view, &CLeafreaderView::exitRequested, this, &QWidget::close);
    connect(m_view, &CLeafreaderView::fullScreenRequested, this,
            [this](CLeafreaderView::FullScreenRequest request) {
                switch (request) {
                case CLeafreaderView::FullScreenRequest::Toggle: m_placement.toggleFullScreen(); break;
                case CLeafreaderView::FullScreenRequest::Enter: m_placement.enterFullScreen(); break;
                case CLeafreaderView::FullScreenRequest::Leave: m_placement.leaveFullScreenUnlessUser(); break;
                }
            });
    m_placement.onSwitched = [this](bool on) {
        m_view->settingsChanged();
        emit fullScreenChanged(on);
    };
    m_view->isFullScreen = [this] { return m_placement.fullScreen(); };
}

void CLeafreaderFrame::setDocumentTitle(const QString &title)
{
    setWindowTitle(title.isEmpty() ? QStringLiteral("Leafreader")
                                   : title + QStringLiteral(" - Leafreader"));
}

void CLeafreaderFrame::saveWindow()
{
    m_placement.store();
    m_frameSettings.save(m_store);
}

void CLeafreaderFrame::closeEvent(QCloseEvent *event)
{
    saveWindow();
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
            emit fileDropped(platform::localPathOf(url));
            return;
        }
    }
}

} // namespace leafreader
