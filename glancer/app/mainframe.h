#pragma once

#include "glancerview.h"

#include "ui/frameplacement.h"

#include <QMainWindow>

namespace glancer {

// The main window: no menu bar, one view, the caption "Glancer" whatever
// the document; full screen and the remembered placement.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // FullScreen and WindowPos go into `store` when the window closes.
    CMainFrame(GlancerSettings &settings, ui::FrameSettings &frameSettings, QSettings &store,
               platform::Prompt &prompt);

    CGlancerView &view() { return *m_view; }
    ui::FramePlacement &placement() { return m_placement; }
    // Takes FullScreen and WindowPos from the window and writes them.
    void saveWindow();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    ui::FrameSettings &m_frameSettings;
    QSettings &m_store;
    platform::Prompt &m_prompt;
    CGlancerView *m_view;
    ui::FramePlacement m_placement;
};

} // namespace glancer
