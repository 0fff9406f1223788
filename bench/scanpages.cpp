#include "scanpages.h"

#include <QBuffer>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>

#include <map>

namespace benchpages {

QImage scanPage(int number)
{
    QImage page(2480, 3508, QImage::Format_RGB32);
    page.fill(QColor(246, 243, 236));
    QPainter p(&page);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font;
    font.setPixelSize(90);
    p.setFont(font);
    p.setPen(QColor(30, 30, 30));
    p.drawText(QRect(200, 200, 2080, 200), Qt::AlignCenter, QStringLiteral("Chapter %1").arg(number));
    for (int line = 0; line < 70; ++line) {
        const int y = 500 + line * 40;
        const int length = 1700 + ((line * 37 + number * 11) % 380);
        p.fillRect(QRect(240, y, length, 14), QColor(60, 60, 60));
    }
    QLinearGradient g(QPointF(0, 3350), QPointF(2480, 3350));
    g.setColorAt(0, QColor(40, 80, 150));
    g.setColorAt(1, QColor(200, 120, 60));
    p.fillRect(QRect(240, 3420 - 400 + (number % 5) * 10, 2000, 60), g);
    return page;
}

QByteArray scanJpeg(int number, int distinct)
{
    static std::map<int, QByteArray> encoded;
    QByteArray &bytes = encoded[number % distinct];
    if (bytes.isEmpty()) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        scanPage(number).save(&buffer, "JPG", 85);
    }
    return bytes;
}

} // namespace benchpages
