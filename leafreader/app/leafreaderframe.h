#pragma once

#include "leafreaderview.h"

#include "pageview/readersettings.h"
#include "platform/prompt.h"
#include "ui/frameplacement.h"
#include "ui/keepawake.h"

#include <QMainWindow>

namespace leafreader {

// The main window: no menu bar, one view. Its title is the document title,
// " - " and "Leafreader", or "Leafreader" alone. It switches full screen and
// keeps the window placement.
class CLeafreaderFrame : public QMainWindow {
    Q_OBJECT
public:
    // FullScreen and WindowPos go into `store` when the window closes.
    CLeafreaderFrame(ReaderSettings &settings, ui::FrameSettings &frameSettings, QSettings &store,
                     platform::Prompt &prompt);

    CLeafreaderView &view() { return *m_view; }
    void setDocumentTitle(const QString &title);

    // Full screen and the stored placement (shown with it at start).
    ui::FramePlacement &placement() { return m_placement; }
    bool fullScreenOn() const { return m_placement.fullScreen(); }
    // Takes FullScreen and WindowPos from the window and writes them.
    void saveWindow();
    // The system stays awake from the window's creation until it closes.
    const platform::KeepAwake &stayAwake() const { return m_stayAwake; }

signals:
    // After each switch: the list screens lay out their fonts again.
    void fullScreenChanged(bool on);
    // A file dropped on the window (the first one).
    void fileDropped(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    ui::FrameSettings &m_frameSettings;
    QSettings &m_store;
    platform::Prompt &m_prompt;
    platform::KeepAwake m_stayAwake;
    CLeafreaderView *m_view;
    ui::FramePlacement m_placement;
};

} // namespace leafreader
