#pragma once

#include "viewsettings.h"

#include <QString>

namespace leafreader {

// The values Leafreader keeps in its settings store (section "Settings" of
// Velloran/Leafreader) other than the list screens' and the window's own,
// with the defaults and limits applied on reading.
struct ReaderSettings : PageViewSettings {
    static constexpr int kScaleLimit = 10;
    static constexpr int kIntervalMax = 3600;

    ReaderSettings() : PageViewSettings(10) {}

    // "Scale" = "normal:fullScreen:pad:listColumn", each -10..+10.
    int scaleNormal = 0;
    int scaleFullScreen = 2;
    int scalePad = 0;
    int scaleListColumn = 0;

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
    // Takes the values the settings dialog edits (those saveDialogValues writes).
    void takeDialogValues(const ReaderSettings &from);

    QString scaleText() const;
    // Applies a "Scale" text: a text that does not hold three or four numbers
    // gives the defaults, a missing fourth is 0, each is clamped to -10..+10.
    void setScaleText(const QString &text);

    // Limits shared with the settings dialog (the skips' and the gap's are
    // PageViewSettings').
    static int clampInterval(int seconds);
    static int clampScale(int scale);
};

} // namespace leafreader
