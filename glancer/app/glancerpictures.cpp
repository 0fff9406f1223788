#include "glancerpictures.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace glancer::pictures {

namespace {

// Icons are drawn on a 32-unit grid and scaled to the cell.
void drawRowIcon(QPainter &p, int icon)
{
    p.setPen(QPen(QColor(20, 30, 40), 1.5));
    switch (icon) {
    case IconDrive:
        p.setBrush(QColor(170, 180, 190));
        p.drawRoundedRect(QRectF(3, 10, 26, 13), 3, 3);
        p.setBrush(QColor(60, 200, 90));
        p.drawEllipse(QRectF(22, 15, 3.5, 3.5));
        break;
    case IconFolder: {
        p.setBrush(QColor(236, 190, 80));
        QPainterPath path;
        path.moveTo(3, 8);
        path.lineTo(12, 8);
        path.lineTo(15, 11);
        path.lineTo(29, 11);
        path.lineTo(29, 26);
        path.lineTo(3, 26);
        path.closeSubpath();
        p.drawPath(path);
        break;
    }
    case IconImage:
        p.setBrush(QColor(245, 245, 240));
        p.drawRect(QRectF(5, 3, 22, 26));
        p.setBrush(QColor(90, 150, 220));
        p.drawRect(QRectF(8, 7, 16, 12));
        p.setBrush(QColor(60, 140, 80));
        p.drawPolygon(QPolygonF({QPointF(8, 19), QPointF(14, 12), QPointF(19, 19)}));
        p.setPen(QPen(QColor(120, 120, 120), 1.5));
        p.drawLine(QPointF(8, 23), QPointF(24, 23));
        break;
    default:
        break;
    }
}

void drawHeaderButton(QPainter &p, int button)
{
    p.setPen(QPen(QColor(111, 160, 192), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    switch (button) {
    case ButtonUp:
        p.drawPolyline(QPolygonF({QPointF(22, 38), QPointF(40, 20), QPointF(58, 38)}));
        p.drawPolyline(QPolygonF({QPointF(40, 20), QPointF(40, 52), QPointF(60, 60)}));
        break;
    case ButtonSettings:
        p.drawEllipse(QPointF(40, 40), 11, 11);
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(40, 40);
            p.rotate(45 * i);
            p.drawLine(QPointF(0, 15), QPointF(0, 22));
            p.restore();
        }
        break;
    case ButtonClose:
        p.drawLine(QPointF(24, 24), QPointF(56, 56));
        p.drawLine(QPointF(56, 24), QPointF(24, 56));
        break;
    default:
        break;
    }
}

} // namespace

QImage iconStrip(int size)
{
    static QHash<int, QImage> strips;
    const auto found = strips.constFind(size);
    if (found != strips.constEnd())
        return *found;
    QImage strip(size * kRowIconCount, size, QImage::Format_RGB32);
    strip.fill(kStripKey);
    {
        QPainter p(&strip);
        p.setRenderHint(QPainter::Antialiasing);
        for (int icon = 0; icon < kRowIconCount; ++icon) {
            p.save();
            p.translate(icon * size, 0);
            p.scale(size / 32.0, size / 32.0);
            drawRowIcon(p, icon);
            p.restore();
        }
    }
    // The key colour becomes transparent, as the list draws the strip.
    QImage transparent = strip.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < transparent.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(transparent.scanLine(y));
        for (int x = 0; x < transparent.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == (kStripKey & 0xFFFFFF))
                line[x] = 0;
        }
    }
    strips.insert(size, transparent);
    return transparent;
}

QImage rowIcon(int size, int icon)
{
    return iconStrip(size).copy(icon * size, 0, size, size);
}

QImage headerStrip()
{
    QImage strip(kHeaderCell * kHeaderButtonCount, kHeaderCell, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    for (int button = 0; button < kHeaderButtonCount; ++button) {
        p.save();
        p.translate(button * kHeaderCell, 0);
        drawHeaderButton(p, button);
        p.restore();
    }
    return strip;
}

QImage headerButton(int button)
{
    static const QImage strip = headerStrip();
    return strip.copy(button * kHeaderCell, 0, kHeaderCell, kHeaderCell);
}

QImage programIcon()
{
    QImage icon(64, 64, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 40, 60), 2));
    p.setBrush(QColor(0, 32, 64));
    p.drawRoundedRect(QRectF(2, 6, 60, 52), 8, 8);
    p.setBrush(QColor(245, 245, 240));
    p.drawRect(QRectF(9, 13, 22, 38));
    p.drawRect(QRectF(33, 13, 22, 38));
    p.setPen(QPen(QColor(128, 220, 242), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(44, 38), 9, 9);
    p.drawLine(QPointF(50, 45), QPointF(58, 53));
    return icon;
}

} // namespace glancer::pictures
