#pragma once

#include "glancerview.h"

#include "pageview/pageframe.h"

namespace glancer {

// The main window: the caption "Glancer" whatever the document.
class CMainFrame : public leafreader::CPageFrame {
    Q_OBJECT
public:
    // FullScreen and WindowPos go into `store` when the window closes.
    CMainFrame(GlancerSettings &settings, ui::FrameSettings &frameSettings, QSettings &store,
               platform::Prompt &prompt);

    CGlancerView &view() { return *m_view; }

private:
    CGlancerView *m_view;
};

} // namespace glancer
