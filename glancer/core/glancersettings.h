#pragma once

#include "pageview/viewsettings.h"

#include <QString>

namespace glancer {

// Image types a folder shows (PicExt bits).
enum PicExtBit : int { PicBmp = 1, PicJpeg = 2, PicPng = 4 };

// The values Glancer keeps in its settings store (section "Settings" of
// Velloran/Glancer) other than the window's own, with the defaults and the
// limits applied on reading.
struct GlancerSettings : leafreader::PageViewSettings {
    static constexpr int kSizeIndexCount = 5;
    static constexpr int kPadMin = 20;
    static constexpr int kPadMax = 100;

    GlancerSettings() : PageViewSettings(12) {}

    // "FontSize" = "window:fullScreen:pad".
    int sizeNormal = 2;     // size index in a window, 0..4
    int sizeFullScreen = 4; // size index in full screen, 0..4
    int padSize = 40;       // control pad size, 20..100

    QString currentFolder;  // "CurrentFolder", empty = the drive list
    int layout2 = 2;        // "Layout2": 1 single page, 2 spread with cover, 3 without
    int bind = 0;           // "Bind": 0 right, 1 left
    int picExt = PicBmp | PicJpeg | PicPng; // "PicExt"

    // Reads every value; missing or unreadable values keep what the struct
    // holds (the defaults on a fresh struct), out-of-range ones are brought
    // into range.
    void load(QSettings &store);
    // The values the settings dialog edits ("FontSize" .. "HideCursor").
    void saveDialogValues(QSettings &store) const;
    void saveCurrentFolder(QSettings &store) const;

    QString fontSizeText() const;
    // "FontSize": with fewer than two numbers all three take their defaults,
    // with two the pad size is 40.
    void setFontSizeText(const QString &text);

    int sizeIndex(bool fullScreen) const { return fullScreen ? sizeFullScreen : sizeNormal; }
};

} // namespace glancer
