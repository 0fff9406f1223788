#pragma once

#include <QSettings>

namespace leafreader {

// The values every program that shows pages keeps in its settings store for
// its page view, with the limits applied on reading: how far the skip
// commands go, whether small pictures are enlarged, the gap around the pages
// and whether the resting pointer is hidden. The programs' settings extend it.
struct PageViewSettings {
    static constexpr int kSkipMax = 600;
    static constexpr int kSpaceMax = 30;

    // `skip`: the program's default for both skips.
    explicit PageViewSettings(int skip) : skipForward(skip), skipBack(skip) {}

    int skipForward;         // "SkipForward", 1..600
    int skipBack;            // "SkipBack", 1..600
    bool picEnlarge = false; // "PicEnlarge"
    int space = 0;           // "Space", 0..30 pixels
    bool hideCursor = true;  // "HideCursor"

    // Reads the five; missing or unreadable values keep what the struct
    // holds, out-of-range ones are brought into range.
    void loadViewValues(QSettings &store);
    void saveViewValues(QSettings &store) const;

    // Limits shared with the settings dialogs.
    static int clampSkip(int pages);
    static int clampSpace(int pixels);
};

} // namespace leafreader
