#pragma once

#include "tests/testsupport.h"

#include <QDir>
#include <QImage>
#include <QString>

namespace shelftest {

struct TestBook {
    QString title;           // empty: no title record
    int year = -1, month = 0, day = 0; // year -1: no date record
    QString author, publisher, circle;
    int pages = 2;
    uint8_t layout = 0;
    bool thumbnail = true;
};

// Writes a small valid book with JPEG pages.
inline bool writeBook(const QString &path, const TestBook &book)
{
    testsupport::BookBytes b;
    b.header(uint16_t(book.pages), book.layout, book.thumbnail ? 1 : 0);
    if (book.thumbnail)
        b.thumbnail(0x60);
    if (!book.title.isEmpty())
        b.text(1, book.title);
    if (!book.author.isEmpty())
        b.text(3, book.author);
    if (!book.publisher.isEmpty())
        b.text(4, book.publisher);
    if (!book.circle.isEmpty())
        b.text(5, book.circle);
    if (book.year >= 0)
        b.date(uint16_t(book.year), uint8_t(book.month), uint8_t(book.day));
    static const QByteArray jpeg = testsupport::encode(testsupport::cornerPicture(40, 60), "JPG");
    for (int i = 0; i < book.pages; ++i)
        b.page(0x80, jpeg);
    return testsupport::writeFile(path, b.bytes());
}

} // namespace shelftest
