#pragma once

#include <QSettings>
#include <QString>

namespace leafreader {

// The stored window placement ("WindowPos"): flags, show command, minimised
// position, maximised position and the normal rectangle (left, top, right,
// bottom), in that order.
struct WindowPlacement {
    int flags = 0;
    int showCommand = 1;
    int minX = 0, minY = 0;
    int maxX = 0, maxY = 0;
    int left = 0, top = 0, right = 0, bottom = 0;

    QString toText() const;
    // Accepts the text only when it holds exactly ten numbers.
    static bool fromText(const QString &text, WindowPlacement &out);
    bool operator==(const WindowPlacement &) const = default;
};

// The values Leafreader keeps in its settings store (section "Settings" of
// Velloran/Leafreader) other than the list screens' own, with the defaults
// and limits applied on reading.
struct ReaderSettings {
    static constexpr int kScaleLimit = 10;
    static constexpr int kSkipMax = 600;
    static constexpr int kSpaceMax = 30;
    static constexpr int kIntervalMax = 3600;

    // "WindowPos": absent until read or taken from the window.
    bool hasWindowPos = false;
    WindowPlacement windowPos;
    bool fullScreen = false; // "FullScreen"

    // "Scale" = "normal:fullScreen:pad:listColumn", each -10..+10.
    int scaleNormal = 0;
    int scaleFullScreen = 2;
    int scalePad = 0;
    int scaleListColumn = 0;

    int skipForward = 10; // "SkipForward", 1..600
    int skipBack = 10;    // "SkipBack", 1..600
    bool picEnlarge = false; // "PicEnlarge"
    int space = 0;           // "Space", 0..30
    bool hideCursor = true;  // "HideCursor"
    int apcPriority = 0;     // "APCPriority", 0..5
    int interval = 4;        // "Interval", seconds, 1..3600
    bool loop = false;       // "Loop"

    // Reads every value; missing or unreadable values keep what the struct
    // holds (the defaults on a fresh struct), out-of-range ones are clamped.
    void load(QSettings &store);
    // Writes every value.
    void save(QSettings &store) const;

    // The groups the program writes at different moments.
    void saveDialogValues(QSettings &store) const; // Scale .. Loop, on the settings dialog's OK
    void saveWindow(QSettings &store) const;       // FullScreen, WindowPos, when the window closes
    // Takes the values the settings dialog edits (those saveDialogValues writes).
    void takeDialogValues(const ReaderSettings &from);

    QString scaleText() const;
    // Applies a "Scale" text: a text that does not hold three or four numbers
    // gives the defaults, a missing fourth is 0, each is clamped to -10..+10.
    void setScaleText(const QString &text);

    // Limits shared with the settings dialog.
    static int clampSkip(int pages);
    static int clampSpace(int pixels);
    static int clampInterval(int seconds);
    static int clampScale(int scale);
};

} // namespace leafreader
