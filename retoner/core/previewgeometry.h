#pragma once

#include <QRect>
#include <QSize>

namespace retoner {

// Where the fitted picture lies in the view: the largest size with the
// picture's aspect ratio kept, centred. Empty for an empty picture or view.
QRect fitRect(QSize picture, QSize view);

// Where the picture lies at one screen pixel per picture pixel: scrolled to
// (sx, sy) on a side where it is larger than the view, centred where not.
QRect oneToOneRect(QSize picture, QSize view, int sx, int sy);

enum class ScrollAction { LineBack, LineForward, PageBack, PageForward, Home, End, Thumb };

// The scroll position of the one-to-one display in picture pixels and its
// ranges. A position of -1 means not placed yet: the next update centres it.
class PreviewScroll {
public:
    static constexpr int LineStep = 1;
    static constexpr int PageStep = 15;

    // After every preview change, mode change and resize. In fit mode both
    // positions become -1 and both ranges 0.
    void update(QSize picture, QSize view, bool fitToWindow);
    // A newly shown picture starts centred.
    void reset() { m_x = m_y = -1; }

    // A scroll bar action; thumb is the position the bar reports for Thumb.
    // Returns the new position, limited to 0..range.
    int scroll(Qt::Orientation orientation, ScrollAction action, int thumb = 0);
    // Dragging moves the picture with the mouse: the position grows by the
    // distance the mouse moved back.
    void drag(int lastX, int lastY, int x, int y);

    int x() const { return m_x; }
    int y() const { return m_y; }
    int rangeX() const { return m_rangeX; }
    int rangeY() const { return m_rangeY; }

private:
    int m_x = -1;
    int m_y = -1;
    int m_rangeX = 0;
    int m_rangeY = 0;
};

} // namespace retoner
