#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include <functional>

class QPainter;

namespace ui {

// The icon buttons in the header band of a list screen. A left press on a
// button marks it and a release over the same button chooses it; released
// anywhere else it chooses nothing. The owner says where each button is.
class HeaderButtons {
public:
    // `cell(b)`: where button b is, or an empty rectangle while it is hidden.
    HeaderButtons(int count, std::function<QRect(int)> cell) : m_count(count), m_cell(std::move(cell)) {}

    // The button under a point, or -1.
    int at(QPoint point) const;
    // Marks the button under the point; false when there is none.
    bool press(QPoint point);
    // The marked button, or -1: a release then belongs to the header.
    int pressed() const { return m_pressed; }
    // Unmarks; the button chosen, or -1 unless released over the marked one.
    int release(QPoint point);

    // Draws each shown button's picture into its cell, the marked one over a
    // light cyan with its picture at `pressedOpacity`.
    void paint(QPainter &painter, const std::function<QImage(int)> &picture, qreal pressedOpacity) const;

private:
    int m_count;
    std::function<QRect(int)> m_cell;
    int m_pressed = -1;
};

} // namespace ui
