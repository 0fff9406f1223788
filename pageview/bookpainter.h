#pragma once

#include "pagelayout.h"
#include "pagesession.h"

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
    // The same for the slots of a session: a picture reduced ahead for the
    // size it is drawn at is drawn as it is.
    void paint(QPainter &painter, const PageLayout &layout, const SlotPicture &left,
               const SlotPicture &right, int rotation, bool rightFirst = false);
    // Paints the pages of an open session into the client of its layout, in
    // the order the last move suggests (right slot first when "the last move
    // went back" differs from "bound on the right"); afterwards the direction
    // is forward again and reading ahead starts once the view is idle.
    void paint(QPainter &painter, PageSession &session);
    // Forgets the reduced copies.
    void clear();

    // The picture at the upright size it is drawn at, reduced smoothly.
    static QImage scaledFor(const QImage &image, QSize size);
    // The device pixels an upright size covers on a screen of that pixel ratio.
    static QSize devicePixels(QSize upright, double ratio);

private:
    struct Cached {
        qint64 key = 0;
        QSize size;
        QImage image;
    };
    const QImage &cached(Cached &slot, const QImage &image, const QImage &prepared, QSize size);

    Cached m_left, m_right;
};

} // namespace leafreader
