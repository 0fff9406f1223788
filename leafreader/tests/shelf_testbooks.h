#pragma once

#include "tests/testsupport.h"

#include <QDir>
#include <QImage>
#include <QString>

namespace shelftest {

struct BookSpec {
    QString title;           // empty: no title record
    int year = -1, month = 0, day = 0; // year -1: no date record
    QString author, publisher, circle;
    int pages = 2;
    uint8_t layout = 0;
    bool thumbnail = true;
};

// Writes a small valid book with JPEG pages.
inline bool writeBook(const QString &path, const BookSpec &spec)
{
    testsupport::BookBytes b;
    b.header(uint16_t(spec.pages), spec.layout, spec.thumbnail ? 1 : 0);
    if (spec.thumbnail)
        b.thumbnail(0x60);
    if (!spec.title.isEmpty())
        b.text(1, spec.title);
    if (!spec.author.isEmpty())
        b.text(3, spec.author);
    if (!spec.publisher.isEmpty())
        b.text(4, spec.publisher);
    if (!spec.circle.isEmpty())
        b.text(5, spec.circle);
    if (spec.year >= 0)
        b.date(uint16_t(spec.year), uint8_t(spec.month), uint8_t(spec.day));
    static const QByteArray jpeg = testsupport::encode(testsupport::cornerPicture(40, 60), "JPG");
    for (int i = 0; i < spec.pages; ++i)
        b.page(0x80, jpeg);
    return testsupport::writeFile(path, b.bytes());
}

} // namespace shelftest
