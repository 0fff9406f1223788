#include "headerbuttons.h"

#include <QPainter>

namespace ui {

int HeaderButtons::at(QPoint point) const
{
    for (int b = 0; b < m_count; ++b) {
        if (m_cell(b).contains(point))
            return b;
    }
    return -1;
}

bool HeaderButtons::press(QPoint point)
{
    m_pressed = at(point);
    return m_pressed >= 0;
}

int HeaderButtons::release(QPoint point)
{
    const int pressed = m_pressed;
    m_pressed = -1;
    return pressed >= 0 && at(point) == pressed ? pressed : -1;
}

void HeaderButtons::paint(QPainter &painter, const std::function<QImage(int)> &picture, qreal pressedOpacity) const
{
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int b = 0; b < m_count; ++b) {
        const QRect cell = m_cell(b);
        if (cell.isNull())
            continue;
        if (b == m_pressed) {
            painter.fillRect(cell, QColor(192, 255, 255));
            painter.setOpacity(pressedOpacity);
        }
        painter.drawImage(cell, picture(b));
        painter.setOpacity(1.0);
    }
}

} // namespace ui
