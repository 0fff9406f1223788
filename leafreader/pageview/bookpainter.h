#pragma once

#include "pagelayout.h"

#include <QImage>

class QPainter;

namespace leafreader {

// Paints a computed page layout: each picture reduced with area averaging to
// the size it is drawn at (kept between paints), turned by the rotation, and
// the uncovered parts of the client in the page grey.
class BookPainter {
public:
    // rightFirst: paint the right-slot picture before the left one (the
    // order the last move suggests; the result is the same).
    void paint(QPainter &painter, const PageLayout &layout, const QImage &leftImage,
               const QImage &rightImage, int rotation, bool rightFirst = false);
    // Forgets the reduced copies.
    void clear();

    // The picture at the upright size it is drawn at, reduced smoothly.
    static QImage scaledFor(const QImage &image, QSize size);

private:
    struct Cached {
        qint64 key = 0;
        QSize size;
        QImage image;
    };
    const QImage &cached(Cached &slot, const QImage &image, QSize size);

    Cached m_left, m_right;
};

} // namespace leafreader
