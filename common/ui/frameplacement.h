#pragma once

#include "windowplacement.h"

#include <QRect>
#include <QSize>

#include <functional>

class QWidget;

namespace ui {

// Placement and full screen of a program's main window: the stored
// placement restored at start and taken again at the end, and the switch
// between the window and full screen. The window cannot be made smaller
// than 640 x 480.
class FramePlacement {
public:
    static constexpr QSize kMinimumSize{640, 480};
    // The window a start without a stored placement opens, and the one
    // leaving full screen falls back to when no placement was ever taken.
    static constexpr QSize kDefaultSize{1024, 768};
    static constexpr QRect kFallbackWindow{100, 80, 640, 480};

    FramePlacement(QWidget &frame, FrameSettings &settings);

    // Applies FullScreen and WindowPos from the settings and shows the
    // window. The stored position is left out under VELLORAN_IGNORE_WINPOS=1.
    void showAtStart();
    // Takes FullScreen and WindowPos into the settings: the window's
    // placement now, unless it is in full screen (then the one taken on
    // entering it).
    void store();

    bool fullScreen() const { return m_fullScreen; }
    // Switches; the switch counts as the user's when it turns full screen on.
    void toggleFullScreen();
    // Full screen only from the window; in full screen already, the full
    // screen counts as the program's from now on.
    void enterFullScreen();
    // Leaves full screen unless the user switched it on.
    void leaveFullScreenUnlessUser();
    // 1 when the user switched full screen on, 0 when it came from the start.
    int userSwitch() const { return m_userSwitch; }

    // Called after each switch with the new state.
    std::function<void(bool fullScreen)> onSwitched;

private:
    void setFullScreen(bool on);

    QWidget &m_frame;
    FrameSettings &m_settings;
    bool m_fullScreen = false;
    int m_userSwitch = 0;
    bool m_hasSavedPlacement = false;
    QRect m_savedGeometry;
    bool m_savedMaximized = false;
};

} // namespace ui
