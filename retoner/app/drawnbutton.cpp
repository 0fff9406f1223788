#include "drawnbutton.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace {

constexpr QSize StripPart(112, 28);

QFont faceFont(QFont font, QSize part)
{
    font.setPixelSize(part.height() * 9 / 20);
    return font;
}

// One part of the strip: the designed size, wider when the text needs it
// (texts in other languages run longer): the icon, a gap, the text, a margin.
QSize partSizeFor(const QString &text)
{
    const int side = StripPart.height() - 10;
    const int textWidth = QFontMetrics(faceFont(QFont(), StripPart)).horizontalAdvance(text);
    return {std::max(StripPart.width(), 5 + side + 4 + textWidth + 6 + 2), StripPart.height()};
}

void drawFaceIcon(QPainter &p, CDrawnButton::Face face, const QRectF &box, bool enabled)
{
    const qreal alpha = enabled ? 1.0 : 0.35;
    p.setOpacity(alpha);
    switch (face) {
    case CDrawnButton::Face::Color: {
        const QColor colours[3] = {QColor(230, 40, 40), QColor(40, 180, 60), QColor(40, 80, 230)};
        for (int i = 0; i < 3; ++i) {
            p.setBrush(colours[i]);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QRectF(box.left() + i * box.width() / 4, box.top() + (i % 2) * box.height() / 4,
                                 box.width() / 2, box.height() / 2 + 2));
        }
        break;
    }
    case CDrawnButton::Face::Mono: {
        QLinearGradient ramp(box.topLeft(), box.topRight());
        ramp.setColorAt(0, Qt::black);
        ramp.setColorAt(1, Qt::white);
        p.setBrush(ramp);
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(box.adjusted(1, 3, -1, -3));
        break;
    }
    case CDrawnButton::Face::OpenSettings:
        p.setPen(QPen(QColor(120, 90, 20), 1.2));
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(box.adjusted(1, 4, -1, -2));
        p.drawRect(QRectF(box.left() + 1, box.top() + 2, box.width() / 2, 3));
        break;
    case CDrawnButton::Face::SaveSettings:
        p.setPen(QPen(QColor(30, 40, 90), 1.2));
        p.setBrush(QColor(70, 100, 190));
        p.drawRect(box.adjusted(1, 1, -1, -1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(box.left() + box.width() / 4, box.top() + 1, box.width() / 2, box.height() / 3));
        break;
    }
    p.setOpacity(1.0);
}

} // namespace

CDrawnButton::CDrawnButton(Face face, const QString &text, const QString &toolTip, QWidget *parent)
    : QAbstractButton(parent), m_face(face)
{
    setText(text);
    setToolTip(toolTip);
    setAccessibleName(text);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    m_strip = makeStrip(face, text, partSizeFor(text));
}

QSize CDrawnButton::sizeHint() const
{
    return {m_strip.width() / 4, m_strip.height()};
}

QImage CDrawnButton::makeStrip(Face face, const QString &text, QSize part)
{
    QImage strip(part.width() * 4, part.height(), QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(faceFont(p.font(), part));
    for (int i = 0; i < 4; ++i) {
        const QRectF cell(i * part.width() + 0.5, 0.5, part.width() - 1.0, part.height() - 1.0);
        QColor top(248, 248, 248), bottom(214, 214, 220);
        QColor edge(120, 120, 130);
        switch (i) {
        case PartDisabled: top = bottom = QColor(230, 230, 230); edge = QColor(180, 180, 180); break;
        case PartPressed: top = QColor(190, 200, 220); bottom = QColor(225, 230, 240); break;
        case PartHover: top = QColor(235, 245, 255); bottom = QColor(190, 215, 245); edge = QColor(60, 120, 200); break;
        default: break;
        }
        QLinearGradient ground(cell.topLeft(), cell.bottomLeft());
        ground.setColorAt(0, top);
        ground.setColorAt(1, bottom);
        p.setPen(QPen(edge, 1));
        p.setBrush(ground);
        p.drawRoundedRect(cell, 4, 4);
        const qreal shift = i == PartPressed ? 1.0 : 0.0;
        const qreal side = part.height() - 10.0;
        const QRectF icon(cell.left() + 5 + shift, cell.top() + 5 + shift, side, side);
        drawFaceIcon(p, face, icon, i != PartDisabled);
        p.setPen(i == PartDisabled ? QColor(160, 160, 160) : QColor(20, 20, 20));
        p.drawText(QRectF(icon.right() + 4, cell.top() + shift, cell.right() - icon.right() - 6, cell.height()),
                   Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text);
    }
    return strip;
}

CDrawnButton::Part CDrawnButton::currentPart() const
{
    if (!isEnabled())
        return PartDisabled;
    if (isDown())
        return PartPressed;
    return m_hover ? PartHover : PartNormal;
}

void CDrawnButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const int partWidth = m_strip.width() / 4;
    p.drawImage(rect(), m_strip, QRect(currentPart() * partWidth, 0, partWidth, m_strip.height()));
    if (hasFocus()) {
        p.setPen(QColor(160, 220, 255));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        QPen dotted(Qt::black);
        dotted.setStyle(Qt::DotLine);
        p.setPen(dotted);
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

void CDrawnButton::enterEvent(QEnterEvent *event)
{
    m_hover = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CDrawnButton::leaveEvent(QEvent *event)
{
    m_hover = false;
    update();
    QAbstractButton::leaveEvent(event);
}
