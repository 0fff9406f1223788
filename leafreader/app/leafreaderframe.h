#pragma once

#include "leafreaderview.h"

#include "pageview/pageframe.h"
#include "pageview/readersettings.h"
#include "platform/prompt.h"
#include "ui/keepawake.h"

namespace leafreader {

// The main window. Its title is the document title, " - " and "Leafreader",
// or "Leafreader" alone; it takes files dropped on it.
class CLeafreaderFrame : public CPageFrame {
    Q_OBJECT
public:
    // FullScreen and WindowPos go into `store` when the window closes.
    CLeafreaderFrame(ReaderSettings &settings, ui::FrameSettings &frameSettings, QSettings &store,
                     platform::Prompt &prompt);

    CLeafreaderView &view() { return *m_view; }
    void setDocumentTitle(const QString &title);

    bool fullScreenOn() const { return placement().fullScreen(); }
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
    platform::KeepAwake m_stayAwake;
    CLeafreaderView *m_view;
};

} // namespace leafreader
