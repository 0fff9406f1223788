#include "pageframe.h"

#include <QCloseEvent>

namespace leafreader {

CPageFrame::CPageFrame(ui::FrameSettings &frameSettings, QSettings &store)
    : m_frameSettings(frameSettings), m_store(store), m_placement(*this, frameSettings)
{
}

void CPageFrame::setView(CPageView *view)
{
    setMenuBar(nullptr);
    setCentralWidget(view);
    connect(view, &CPageView::exitRequested, this, &QWidget::close);
    connect(view, &CPageView::fullScreenRequested, this, [this](CPageView::FullScreenRequest request) {
        switch (request) {
        case CPageView::FullScreenRequest::Toggle: m_placement.toggleFullScreen(); break;
        case CPageView::FullScreenRequest::Enter: m_placement.enterFullScreen(); break;
        case CPageView::FullScreenRequest::Leave: m_placement.leaveFullScreenUnlessUser(); break;
        }
    });
    view->isFullScreen = [this] { return m_placement.fullScreen(); };
}

void CPageFrame::saveWindow()
{
    m_placement.store();
    m_frameSettings.save(m_store);
}

void CPageFrame::closeEvent(QCloseEvent *event)
{
    saveWindow();
    event->accept();
}

} // namespace leafreader
