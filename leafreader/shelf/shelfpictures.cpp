#include "shelfpictures.h"

#include "listgeometry.h"

#include "book/bookrecords.h"
#include "picture/picture.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

namespace leafreader {

namespace {

QImage canvas(int w, int h, QColor fill)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QImage drawTile(int which)
{
    QImage image = canvas(160, 200, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    switch (which) {
    case TileDrive:
        p.setPen(QPen(QColor(160, 189, 200), 4));
        p.setBrush(QColor(60, 80, 100));
        p.drawRoundedRect(QRectF(20, 70, 120, 60), 8, 8);
        p.setBrush(QColor(120, 230, 140));
        p.drawEllipse(QPointF(120, 100), 6, 6);
        break;
    case TileFolder: {
        p.setPen(QPen(QColor(209, 180, 90), 3));
        p.setBrush(QColor(170, 130, 50));
        QPainterPath tab;
        tab.addRoundedRect(QRectF(20, 55, 55, 25), 5, 5);
        p.drawPath(tab);
        p.setBrush(QColor(220, 175, 80));
        p.drawRoundedRect(QRectF(20, 70, 120, 80), 6, 6);
        break;
    }
    case TileBook:
    case TileMissingBook:
        p.setPen(QPen(QColor(160, 189, 200), 3));
        p.setBrush(which == TileBook ? QColor(50, 90, 140) : QColor(70, 70, 70));
        p.drawRect(QRectF(35, 30, 90, 140));
        p.setPen(QPen(QColor(209, 231, 255), 2));
        p.drawLine(QPointF(45, 30), QPointF(45, 170));
        if (which == TileMissingBook) {
            p.setPen(QPen(QColor(230, 70, 60), 8, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(50, 65), QPointF(110, 135));
            p.drawLine(QPointF(110, 65), QPointF(50, 135));
        }
        break;
    default:
        break;
    }
    return image;
}

QImage drawBadge()
{
    QImage image = canvas(64, 43, QColor(230, 120, 40));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    // A bookmark ribbon.
    QPolygonF ribbon;
    ribbon << QPointF(24, 4) << QPointF(40, 4) << QPointF(40, 39) << QPointF(32, 31) << QPointF(24, 39);
    p.drawPolygon(ribbon);
    return image;
}

QImage drawIcon(int which)
{
    QImage image(80, 80, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(200, 220, 240);
    p.setPen(QPen(ink, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    switch (which) {
    case IconUpFolder:
        p.drawLine(QPointF(40, 62), QPointF(40, 18));
        p.drawPolyline(QPolygonF() << QPointF(22, 36) << QPointF(40, 18) << QPointF(58, 36));
        break;
    case IconSwitchScreen:
    case IconSwitchKeepSelection:
        // Two arrows, one each way; keeping the selection adds a dot between them.
        p.drawLine(QPointF(16, 30), QPointF(62, 30));
        p.drawPolyline(QPolygonF() << QPointF(52, 20) << QPointF(62, 30) << QPointF(52, 40));
        p.drawLine(QPointF(64, 52), QPointF(18, 52));
        p.drawPolyline(QPolygonF() << QPointF(28, 42) << QPointF(18, 52) << QPointF(28, 62));
        if (which == IconSwitchKeepSelection) {
            p.setBrush(ink);
            p.drawEllipse(QPointF(40, 41), 4, 4);
        }
        break;
    case IconFileInformation:
        p.drawEllipse(QPointF(40, 40), 28, 28);
        p.drawLine(QPointF(40, 36), QPointF(40, 56));
        p.drawPoint(QPointF(40, 24));
        break;
    case IconSettings:
        p.drawEllipse(QPointF(40, 40), 12, 12);
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(40, 40);
            p.rotate(i * 45);
            p.drawLine(QPointF(0, -20), QPointF(0, -28));
            p.restore();
        }
        break;
    case IconCloseProgram:
        p.drawLine(QPointF(20, 20), QPointF(60, 60));
        p.drawLine(QPointF(60, 20), QPointF(20, 60));
        break;
    default:
        break;
    }
    return image;
}

} // namespace

const QImage &ShelfPictures::tile(int which)
{
    static const std::array<QImage, kTilePictureCount> tiles = {drawTile(0), drawTile(1), drawTile(2),
                                                               drawTile(3)};
    return tiles[size_t(std::clamp(which, 0, kTilePictureCount - 1))];
}

const QImage &ShelfPictures::resumeBadge()
{
    static const QImage badge = drawBadge();
    return badge;
}

const QImage &ShelfPictures::headerIcon(int which)
{
    static const std::array<QImage, kHeaderIconCount> icons = {drawIcon(0), drawIcon(1), drawIcon(2),
                                                              drawIcon(3), drawIcon(4), drawIcon(5)};
    return icons[size_t(std::clamp(which, 0, kHeaderIconCount - 1))];
}

QImage ShelfPictures::programIcon()
{
    QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 60, 80), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    // Two pages opened from the spine in the middle.
    QPolygonF left, right;
    left << QPointF(32, 14) << QPointF(6, 8) << QPointF(6, 52) << QPointF(32, 58);
    right << QPointF(32, 14) << QPointF(58, 8) << QPointF(58, 52) << QPointF(32, 58);
    p.setBrush(QColor(209, 231, 255));
    p.drawPolygon(left);
    p.setBrush(QColor(160, 189, 200));
    p.drawPolygon(right);
    p.setBrush(QColor(230, 120, 40));
    p.setPen(Qt::NoPen);
    QPolygonF ribbon;
    ribbon << QPointF(44, 10) << QPointF(52, 8) << QPointF(52, 30) << QPointF(48, 26) << QPointF(44, 31);
    p.drawPolygon(ribbon);
    return image;
}

QImage ShelfPictures::tileAt(int which, QSize size)
{
    return tile(which).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage ShelfPictures::bookPicture(const QByteArray &thumbnail, QSize size, bool withBadge)
{
    QImage picture;
    if (thumbnail.size() == kvb::kThumbnailBytes)
        picture = kvb::bookThumbnailImage(reinterpret_cast<const uint8_t *>(thumbnail.constData()));
    if (picture.isNull())
        picture = tile(TileBook);
    picture = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                  .convertToFormat(QImage::Format_RGB32);
    if (withBadge) {
        QPainter p(&picture);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(resumeBadgeRect(size), resumeBadge());
    }
    return picture;
}

} // namespace leafreader
