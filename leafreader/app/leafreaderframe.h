#pragma once

#include "leafreaderview.h"

#include "pageview/readersettings.h"
#include "platform/prompt.h"
#include "ui/keepawake.h"

#include <QByteArray>
#include <QMainWindow>

namespace leafreader {

// The main window: no menu bar, one view. Its title is the document title,
// " - " and "Leafreader", or "Leafreader" alone. It switches full screen and
// keeps the window placement.
class CLeafreaderFrame : public QMainWindow {
    Q_OBJECT
public:
    // FullScreen and WindowPos go into `store` when the window closes.
    CLeafreaderFrame(ReaderSettings &settings, QSettings &store, platform::Prompt &prompt);

    CLeafreaderView &view() { return *m_view; }
    void setDocumentTitle(const QString &title);

    // Applies FullScreen and WindowPos from the settings and shows the window.
    void showWithPlacement();
    // Takes FullScreen and WindowPos into the settings.
    void storePlacement();

    bool fullScreenOn() const { return m_fullScreen; }
    void toggleFullScreen();
    // Alt+Enter: full screen only from the window.
    void enterFullScreen();
    // Ctrl+3: leaves full screen unless the user switched it on.
    void leaveFullScreenUnlessUser();
    int userSwitch() const { return m_userSwitch; }
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
    void setFullScreen(bool on);

    ReaderSettings &m_settings;
    QSettings &m_store;
    platform::KeepAwake m_stayAwake;
    CLeafreaderView *m_view;
    bool m_fullScreen = false;
    int m_userSwitch = 0;
    bool m_hasSavedPlacement = false;
    QRect m_savedGeometry;
    bool m_savedMaximized = false;
};

} // namespace leafreader
