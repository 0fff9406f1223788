#include "previewgeometry.h"

#include <algorithm>

namespace retoner {

QRect fitRect(QSize picture, QSize view)
{
    if (picture.isEmpty() || view.isEmpty())
        return {};
    const double ratio = static_cast<double>(picture.height()) / picture.width();
    const double viewRatio = static_cast<double>(view.height()) / view.width();
    int width, height;
    if (ratio > viewRatio) {
        height = view.height();
        width = static_cast<int>(view.height() / ratio);
    } else {
        width = view.width();
        height = static_cast<int>(static_cast<double>(view.width()) * picture.height() / picture.width());
    }
    return {(view.width() - width) / 2, (view.height() - height) / 2, width, height};
}

QRect oneToOneRect(QSize picture, QSize view, int sx, int sy)
{
    const int left = picture.width() > view.width() ? -sx : (view.width() - picture.width()) / 2;
    const int top = picture.height() > view.height() ? -sy : (view.height() - picture.height()) / 2;
    return {left, top, picture.width(), picture.height()};
}

void PreviewScroll::update(QSize picture, QSize view, bool fitToWindow)
{
    if (fitToWindow) {
        m_x = m_y = -1;
        m_rangeX = m_rangeY = 0;
        return;
    }
    m_rangeX = std::max(0, picture.width() - view.width());
    m_rangeY = std::max(0, picture.height() - view.height());
    const auto place = [](int &position, int range) {
        if (position == -1)
            position = range / 2;
        else if (position > range)
            position = range;
    };
    place(m_x, m_rangeX);
    place(m_y, m_rangeY);
}

int PreviewScroll::scroll(Qt::Orientation orientation, ScrollAction action, int thumb)
{
    int &position = orientation == Qt::Horizontal ? m_x : m_y;
    const int range = orientation == Qt::Horizontal ? m_rangeX : m_rangeY;
    int next = std::max(position, 0);
    switch (action) {
    case ScrollAction::LineBack: next -= LineStep; break;
    case ScrollAction::LineForward: next += LineStep; break;
    case ScrollAction::PageBack: next -= PageStep; break;
    case ScrollAction::PageForward: next += PageStep; break;
    case ScrollAction::Home: next = 0; break;
    case ScrollAction::End: next = range; break;
    case ScrollAction::Thumb: next = thumb; break;
    }
    position = std::clamp(next, 0, range);
    return position;
}

void PreviewScroll::drag(int lastX, int lastY, int x, int y)
{
    m_x = std::clamp(std::max(m_x, 0) + (lastX - x), 0, m_rangeX);
    m_y = std::clamp(std::max(m_y, 0) + (lastY - y), 0, m_rangeY);
}

} // namespace retoner
