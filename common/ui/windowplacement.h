#pragma once

#include <QString>

class QSettings;

namespace ui {

// A stored window placement ("WindowPos"): flags, show command, minimised
// position, maximised position and the normal rectangle (left, top, right,
// bottom), in that order.
struct WindowPlacement {
    static constexpr int kShowNormal = 1;
    static constexpr int kShowMaximized = 3;
    static constexpr int kShowRestore = 9;
    static constexpr int kRestoreToMaximized = 2; // a flag

    int flags = 0;
    int showCommand = kShowNormal;
    int minX = 0, minY = 0;
    int maxX = 0, maxY = 0;
    int left = 0, top = 0, right = 0, bottom = 0;

    QString toText() const;
    // Accepts the text only when it holds exactly ten numbers.
    static bool fromText(const QString &text, WindowPlacement &out);
    bool operator==(const WindowPlacement &) const = default;
};

// What a program's main window keeps in the program's settings store:
// "FullScreen" and "WindowPos".
struct FrameSettings {
    bool fullScreen = false; // "FullScreen": start in full screen
    // "WindowPos": absent until read or taken from the window.
    bool hasWindowPos = false;
    WindowPlacement windowPos;

    // A WindowPos that does not hold ten numbers is no placement; a
    // FullScreen that is no number keeps the value held.
    void load(QSettings &store);
    // FullScreen, and WindowPos when one is known.
    void save(QSettings &store) const;
};

// True when the environment asks to leave the stored window position out at
// start (VELLORAN_IGNORE_WINPOS=1), for a window that ended up off screen.
bool ignoreStoredPosition();

} // namespace ui
