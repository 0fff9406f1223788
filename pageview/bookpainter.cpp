#include "bookpainter.h"

#include "book/bookrecords.h"

#include <QPainter>

namespace leafreader {

QImage BookPainter::scaledFor(const QImage &image, QSize size)
{
    QImage source = image;
    if (source.hasAlphaChannel()) {
        // A page is paper: transparent parts show white, not what was painted before.
        QImage opaque(source.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter p(&opaque);
        p.drawImage(0, 0, source);
        p.end();
        source = opaque;
    } else if (source.format() != QImage::Format_RGB32) {
        // Drawn often, converted once.
        source = source.convertToFormat(QImage::Format_RGB32);
    }
    if (source.size() == size)
        return source;
    return source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QSize BookPainter::devicePixels(QSize upright, double ratio)
{
    return ratio == 1.0 ? upright : (QSizeF(upright) * ratio).toSize();
}

const QImage &BookPainter::cached(Cached &slot, const QImage &image, const QImage &prepared, QSize size)
{
    if (slot.key != image.cacheKey() || slot.size != size || slot.image.isNull()) {
        slot.key = image.cacheKey();
        slot.size = size;
        slot.image = !prepared.isNull() && prepared.size() == size ? prepared : scaledFor(image, size);
    }
    return slot.image;
}

void BookPainter::clear()
{
    m_left = {};
    m_right = {};
}

void BookPainter::paint(QPainter &painter, const PageLayout &layout, const QImage &leftImage,
                        const QImage &rightImage, int rotation, bool rightFirst)
{
    SlotPicture left, right;
    left.image = leftImage;
    right.image = rightImage;
    paint(painter, layout, left, right, rotation, rightFirst);
}

void BookPainter::paint(QPainter &painter, PageSession &session)
{
    const bool bindR = (session.layoutFlags() & kvb::BindR) != 0;
    const bool rightFirst = (!session.forward()) != bindR;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    paint(painter, computeLayout(session.layoutInput()), session.leftSlot(), session.rightSlot(),
          session.rotation(), rightFirst);
    session.setForward(true);
    session.readAheadWhenIdle();
}

void BookPainter::paint(QPainter &painter, const PageLayout &layout, const SlotPicture &left,
                        const SlotPicture &right, int rotation, bool rightFirst)
{
    const int r = rotation & 3;
    std::vector<const PictureDraw *> order;
    for (const PictureDraw &p : layout.pictures)
        order.push_back(&p);
    if (rightFirst && order.size() == 2 && order[0]->leftSlotImage)
        std::swap(order[0], order[1]);

    // On a scaled screen the picture is reduced to the device pixels it
    // covers, so it stays sharp.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
    painter.save();
    for (const PictureDraw *p : order) {
        const SlotPicture &slot = p->leftSlotImage ? left : right;
        if (slot.image.isNull())
            continue;
        const QSize upright = uprightSize(p->target, r);
        const QImage &image = cached(p->leftSlotImage ? m_left : m_right, slot.image, slot.prepared,
                                     devicePixels(upright, ratio));
        painter.setTransform(pictureTransform(upright, p->target, r));
        painter.drawImage(QRectF(0, 0, upright.width(), upright.height()), image);
    }
    painter.resetTransform();
    for (const Box &b : layout.background)
        painter.fillRect(b.toRect(), QColor(kPageGrey, kPageGrey, kPageGrey));
    painter.restore();
}

} // namespace leafreader
