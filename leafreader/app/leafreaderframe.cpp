#include "leafreaderframe.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

namespace leafreader {

CLeafreaderFrame::CLeafreaderFrame(ReaderSettings &settings, ui::FrameSettings &frameSettings,
                                   QSettings &store, platform::Prompt &prompt)
    : CPageFrame(frameSettings, store),
      m_stayAwake(QStringLiteral("Leafreader"), QStringLiteral("Leafreader is running"),
                  platform::KeepAwake::Kind::System),
      m_view(new CLeafreaderView(settings, prompt, this))
{
    m_stayAwake.hold();
    setView(m_view);
    setAcceptDrops(true);
    setDocumentTitle(QString());
    connect(m_view, &CLeafreaderView::documentTitleChanged, this, &CLeafreaderFrame::setDocumentTitle);
    placement().onSwitched = [this](bool on) {
        m_view->settingsChanged();
        emit fullScreenChanged(on);
    };
}

void CLeafreaderFrame::setDocumentTitle(const QString &title)
{
    setWindowTitle(title.isEmpty() ? QStringLiteral("Leafreader")
                                   : title + QStringLiteral(" - Leafreader"));
}

void CLeafreaderFrame::closeEvent(QCloseEvent *event)
{
    CPageFrame::closeEvent(event);
    m_stayAwake.release();
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
