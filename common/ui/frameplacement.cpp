#include "frameplacement.h"

#include <QWidget>

namespace ui {

FramePlacement::FramePlacement(QWidget &frame, FrameSettings &settings) : m_frame(frame), m_settings(settings)
{
    m_frame.setMinimumSize(kMinimumSize);
}

void FramePlacement::setFullScreen(bool on)
{
    if (on == m_fullScreen)
        return;
    if (on) {
        m_savedGeometry = m_frame.normalGeometry();
        m_savedMaximized = m_frame.isMaximized();
        m_hasSavedPlacement = true;
        m_fullScreen = true;
        m_frame.showFullScreen();
    } else {
        m_fullScreen = false;
        m_frame.showNormal();
        if (m_hasSavedPlacement) {
            m_frame.setGeometry(m_savedGeometry);
            if (m_savedMaximized)
                m_frame.showMaximized();
        } else {
            m_frame.setGeometry(kFallbackWindow);
        }
    }
    if (onSwitched)
        onSwitched(m_fullScreen);
}

void FramePlacement::toggleFullScreen()
{
    setFullScreen(!m_fullScreen);
    m_userSwitch = m_fullScreen ? 1 : 0;
}

void FramePlacement::enterFullScreen()
{
    if (m_fullScreen) {
        m_userSwitch = 0;
        return;
    }
    setFullScreen(true);
    m_userSwitch = 1;
}

void FramePlacement::leaveFullScreenUnlessUser()
{
    if (m_fullScreen && m_userSwitch == 0)
        setFullScreen(false);
}

void FramePlacement::showAtStart()
{
    const WindowPlacement &p = m_settings.windowPos;
    if (m_settings.hasWindowPos && !ignoreStoredPosition()) {
        const QRect normal(p.left, p.top, p.right - p.left, p.bottom - p.top);
        if (normal.width() > 0 && normal.height() > 0)
            m_frame.setGeometry(normal);
        m_savedGeometry = m_frame.geometry();
        m_savedMaximized = p.showCommand == WindowPlacement::kShowMaximized;
        m_hasSavedPlacement = true;
    } else {
        m_frame.resize(kDefaultSize);
    }
    if (m_settings.fullScreen) {
        // Without a stored placement, leaving full screen later uses the
        // fixed fallback window.
        m_fullScreen = true;
        m_frame.showFullScreen();
    } else if (m_hasSavedPlacement && m_savedMaximized) {
        m_frame.showMaximized();
    } else {
        m_frame.show();
    }
}

void FramePlacement::store()
{
    m_settings.fullScreen = m_fullScreen;
    if (!m_fullScreen) {
        m_savedGeometry = m_frame.normalGeometry();
        m_savedMaximized = m_frame.isMaximized();
        m_hasSavedPlacement = true;
    }
    if (!m_hasSavedPlacement)
        return;
    WindowPlacement p;
    p.flags = m_savedMaximized ? WindowPlacement::kRestoreToMaximized : 0;
    if (m_frame.isMinimized())
        p.showCommand = p.flags == WindowPlacement::kRestoreToMaximized ? WindowPlacement::kShowMaximized
                                                                        : WindowPlacement::kShowRestore;
    else
        p.showCommand = m_savedMaximized ? WindowPlacement::kShowMaximized : WindowPlacement::kShowNormal;
    p.minX = p.minY = p.maxX = p.maxY = -1;
    p.left = m_savedGeometry.left();
    p.top = m_savedGeometry.top();
    p.right = m_savedGeometry.left() + m_savedGeometry.width();
    p.bottom = m_savedGeometry.top() + m_savedGeometry.height();
    m_settings.windowPos = p;
    m_settings.hasWindowPos = true;
}

} // namespace ui
