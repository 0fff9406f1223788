#include "mainframe.h"

namespace glancer {

CMainFrame::CMainFrame(GlancerSettings &settings, ui::FrameSettings &frameSettings, QSettings &store,
                       platform::Prompt &prompt)
    : CPageFrame(frameSettings, store), m_view(new CGlancerView(settings, store, prompt, this))
{
    setView(m_view);
    setWindowTitle(QStringLiteral("Glancer"));
    placement().onSwitched = [this](bool on) { m_view->setFullScreen(on); };
}

} // namespace glancer
