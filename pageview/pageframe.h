#pragma once

#include "pageview.h"

#include "ui/frameplacement.h"

#include <QMainWindow>

class QSettings;

namespace leafreader {

// The main window of a program that shows pages: no menu bar, one page
// view, full screen and the remembered placement, written when it closes.
class CPageFrame : public QMainWindow {
    Q_OBJECT
public:
    ui::FramePlacement &placement() { return m_placement; }
    const ui::FramePlacement &placement() const { return m_placement; }
    // Takes FullScreen and WindowPos from the window and writes them.
    void saveWindow();

protected:
    // FullScreen and WindowPos go into `store` when the window closes.
    CPageFrame(ui::FrameSettings &frameSettings, QSettings &store);

    // Makes `view` the window's one view: its exit and full-screen requests
    // reach the window, and it can ask whether the window is in full screen.
    void setView(CPageView *view);
    void closeEvent(QCloseEvent *event) override;

private:
    ui::FrameSettings &m_frameSettings;
    QSettings &m_store;
    ui::FramePlacement m_placement;
};

} // namespace leafreader
