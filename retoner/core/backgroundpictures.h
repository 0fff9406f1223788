#pragma once

#include <QImage>

namespace retoner {

// The pictures behind the colour dialog's graphs, made from the colour
// chain's own HSV to RGB conversion once per process on first use and kept.
// Safe to call from any thread.
class BackgroundPictures {
public:
    static constexpr int DiscSide = 1001;   // hue-saturation discs, one per value level
    static constexpr int PlaneWidth = 501;  // saturation-value planes, one per hue index
    static constexpr int PlaneHeight = 1001;
    static constexpr int HueStripWidth = 1001;
    static constexpr int BarStripWidth = 512;
    static constexpr int MarkerSide = 32;   // four markers side by side

    static const BackgroundPictures &instance();

    // Value 0.25 * level (1..4); hue 0 to the right, counter-clockwise;
    // saturation 0 at the centre, 1 at the rim; black outside; dotted grey
    // guide lines every 30 degrees.
    const QImage &disc(int level) const { return m_discs[level - 1]; }
    // Hue hueIndex * 30 degrees; saturation 0..1 left to right, value 0..1
    // bottom to top; a dotted grey guide line at the value of level 3, the
    // one level these planes choose points on.
    const QImage &plane(int hueIndex) const { return m_planes[hueIndex]; }
    // Hue 0..360 degrees at full saturation and value.
    const QImage &hueStrip() const { return m_hueStrip; }
    // The editor's bars: the unit range from 0 to 1 as grey.
    const QImage &barStrip() const { return m_barStrip; }
    // 128 x 32: grey dot (no shift), green dot (shifted), larger yellow dot
    // (selected), small dot (not selectable in this graph).
    const QImage &markers() const { return m_markers; }

    // Makes every picture anew (for timing); instance() makes them once.
    BackgroundPictures();

private:
    QImage m_discs[4];
    QImage m_planes[12];
    QImage m_hueStrip;
    QImage m_barStrip;
    QImage m_markers;
};

} // namespace retoner
