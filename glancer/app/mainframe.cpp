#include "mainframe.h"

#include "platform/settings.h"

#include <QCloseEvent>

namespace glancer {

CMainFrame::CMainFrame(GlancerSettings &settings, ui::FrameSettings &frameSettings, QSettings &store,
                       platform::Prompt &prompt)
    : m_frameSettings(frameSettings),
      m_store(store),
      m_prompt(prompt),
      m_view(new CGlancerView(settings, store, prompt, this)),
      m_placement(*this, frameSettings)
{
    setMenuBar(nullptr);
    setCentralWidget(m_view);
    setWindowTitle(QStringLiteral("Glancer"));
    connect(m_view, &CGlancerView::exitRequested, this, &QWidget::close);
    connect(m_view, &CGlancerView::fullScreenToggleRequested, this, [this] { m_placement.toggleFullScreen(); });
    connect(m_view, &CGlancerView::leaveFullScreenRequested, this,
            [this] { m_placement.leaveFullScreenUnlessUser(); });
    m_placement.onSwitched = [this](bool on) { m_view->setFullScreen(on); };
    m_view->isFullScreen = [this] { return m_placement.fullScreen(); };
}

void CMainFrame::saveWindow()
{
    m_view->saveCurrentFolder();
    m_placement.store();
    m_frameSettings.save(m_store);
    platform::syncSettings(m_store, m_prompt);
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    saveWindow();
    event->accept();
}

} // namespace glancer
