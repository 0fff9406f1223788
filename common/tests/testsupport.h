#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

#include <cstdint>

namespace testsupport {

// A picture with a distinct colour in every corner (red top-left, green
// top-right, blue bottom-left, white bottom-right) on grey, so a test can see
// how it was turned.
QImage cornerPicture(int width, int height);

// Encoded picture bytes ("JPG", "PNG", "BMP").
QByteArray encode(const QImage &image, const char *format, int quality = 95);

// A JPEG with an Exif APP1 segment carrying the given orientation, inserted
// right after the start marker. bigEndian chooses 'MM' or 'II'.
QByteArray jpegWithOrientation(const QImage &image, int orientation, bool bigEndian = true);

// Builds book bytes record by record, for books a writer would never make.
class BookBytes {
public:
    BookBytes &header(uint16_t pageCount, uint8_t layoutFlags = 0, uint8_t thumbnailFlag = 0);
    BookBytes &thumbnail(uint8_t fill = 0x40);
    BookBytes &text(uint8_t type, const QString &text);
    BookBytes &rawAttribute(uint8_t type, const QByteArray &payload);
    BookBytes &date(uint16_t year, uint8_t month, uint8_t day);
    BookBytes &item(const QString &name, const QString &value);
    BookBytes &page(uint8_t kind, const QByteArray &data);
    // A page record head that claims `size` bytes, without the bytes.
    BookBytes &pageHead(uint8_t kind, uint32_t size);
    BookBytes &raw(const QByteArray &bytes);
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

QByteArray utf16le(const QString &text);
bool writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);

} // namespace testsupport
