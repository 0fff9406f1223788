#include "bookpainter.h"

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

const QImage &BookPainter::cached(Cached &slot, const QImage &image, QSize size)
{
    if (slot.key != image.cacheKey() || slot.size != size || slot.image.isNull()) {
        slot.key = image.cacheKey();
        slot.size = size;
        slot.image = scaledFor(image, size);
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
        const QImage &source = p->leftSlotImage ? leftImage : rightImage;
        if (source.isNull())
            continue;
        QSize upright(p->target.width(), p->target.height());
        if (r == 1 || r == 3)
            upright.transpose();
        const QSize devicePixels = ratio == 1.0 ? upright : (QSizeF(upright) * ratio).toSize();
        const QImage &image = cached(p->leftSlotImage ? m_left : m_right, source, devicePixels);
        painter.setTransform(pictureTransform(upright, p->target, r));
        painter.drawImage(QRectF(0, 0, upright.width(), upright.height()), image);
    }
    painter.resetTransform();
    for (const Box &b : layout.background)
        painter.fillRect(b.toRect(), QColor(kPageGrey, kPageGrey, kPageGrey));
    painter.restore();
}

} // namespace leafreader
