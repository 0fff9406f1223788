#include "picture.h"

#include "decoders.h"

#include "platform/filenames.h"
#include "platform/safefile.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace kvb {

namespace {

constexpr int kMaxSegments = 128;

// Reads exactly n bytes or reports failure.
bool readExact(QIODevice &d, void *out, qint64 n)
{
    return d.read(static_cast<char *>(out), n) == n;
}

uint16_t be16(const uint8_t *p)
{
    return uint16_t((p[0] << 8) | p[1]);
}

// Walks the TIFF structure of an Exif segment that spans [base, end) of the
// device and returns the last valid orientation found, or `result`.
int readTiffOrientation(QIODevice &d, qint64 base, qint64 end, int result)
{
    uint8_t head[8];
    if (end - base < 8 || !readExact(d, head, 8))
        return result;
    const bool big = head[0] == 'M' && head[1] == 'M';
    const bool little = head[0] == 'I' && head[1] == 'I';
    if (!big && !little)
        return result;
    auto u16 = [&](const uint8_t *p) { return big ? qFromBigEndian<uint16_t>(p) : qFromLittleEndian<uint16_t>(p); };
    auto u32 = [&](const uint8_t *p) { return big ? qFromBigEndian<uint32_t>(p) : qFromLittleEndian<uint32_t>(p); };
    if (u16(head + 2) != 42)
        return result;
    const qint64 ifd = base + qint64(u32(head + 4));
    if (ifd + 2 > end || !d.seek(ifd))
        return result;
    uint8_t countBytes[2];
    if (!readExact(d, countBytes, 2))
        return result;
    // Only as many entries as the segment holds are read.
    const qint64 fits = (end - ifd - 2) / 12;
    const qint64 count = std::min<qint64>(u16(countBytes), fits);
    for (qint64 i = 0; i < count; ++i) {
        uint8_t e[12];
        if (!readExact(d, e, 12))
            break;
        if (u16(e) != 274)
            continue;
        if (u16(e + 2) != 3 || u32(e + 4) != 1)
            break;
        // The first two bytes of the value field in file order.
        result = u16(e + 8);
    }
    return result;
}

} // namespace

bool readPageBytes(QIODevice &file, uint64_t offset, uint32_t size, QByteArray &bytes)
{
    // A record's size is only a claim: nothing is reserved for a page larger
    // than any page could be, or than the file holds.
    if (size > kMaxPageBytes || uint64_t(file.size()) < offset || uint64_t(file.size()) - offset < size)
        return false;
    if (!file.seek(qint64(offset)))
        return false;
    bytes.resize(qsizetype(size));
    return file.read(bytes.data(), qint64(size)) == qint64(size);
}

bool loadPagePicture(const QString &sourcePath, uint64_t offset, uint32_t size, uint8_t kind,
                     QImage &picture, const LoadOptions &options)
{
    QFile file;
    if (!platform::openFile(file, sourcePath, QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    QByteArray bytes;
    if (!readPageBytes(file, offset, size, bytes))
        return false;
    file.close();
    return decodePagePicture(bytes, kind, picture, options);
}

bool decodePagePicture(QByteArray &bytes, uint8_t kind, QImage &picture, const LoadOptions &options)
{
    const PictureFormat byKind = pictureFormatForKind(kind);
    const PictureFormat byContent = pictureFormatOf(bytes);
    auto decodeAs = [&](PictureFormat format) -> DecodedPicture {
        switch (format) {
        case PictureFormat::Jpeg: {
            // Only JPEG content carries the Exif orientation; the walk runs
            // over the bytes already in memory.
            int orientation = 0;
            if (byContent == PictureFormat::Jpeg) {
                QBuffer buffer(&bytes);
                buffer.open(QIODevice::ReadOnly);
                orientation = readExifOrientation(buffer);
            }
            return decodeJpeg(bytes, options.fitWithin, orientation);
        }
        case PictureFormat::Png: return decodePng(bytes, options.fitWithin);
        case PictureFormat::Bmp: return decodeBmp(bytes);
        case PictureFormat::Unknown: break;
        }
        return {};
    };
    DecodedPicture decoded = decodeAs(byKind != PictureFormat::Unknown ? byKind : byContent);
    // A picture saved under another format's name (a PNG called .jpg, common
    // in downloaded scans) decodes by what it holds.
    if (decoded.picture.isNull() && byContent != PictureFormat::Unknown && byContent != byKind)
        decoded = decodeAs(byContent);
    if (options.naturalSize)
        *options.naturalSize = decoded.naturalSize;
    if (options.damaged)
        *options.damaged = decoded.damaged;
    if (decoded.picture.isNull())
        return false;
    picture = std::move(decoded.picture);
    return true;
}

bool pictureWorthDecoding(QFile &file, const PictureHeader &header)
{
    if (!fitsDecodeLimit(header.size))
        return false;
    const qint64 size = file.size();
    // More bytes than the largest picture within the limit takes decoded:
    // whatever it claims, its data is not short.
    if (size > qint64(kMaxPageBytes))
        return true;
    // Mapped where the file system allows it, read otherwise.
    QByteArray read;
    const uchar *mapped = file.map(0, size);
    QByteArrayView bytes(mapped, mapped ? size : 0);
    if (!mapped) {
        const qint64 at = file.pos();
        if (!file.seek(0))
            return false;
        read = file.read(size);
        if (read.size() != size || !file.seek(at))
            return false;
        bytes = read;
    }
    // Even a blank page takes a byte for every 64 pixels or so of baseline
    // JPEG data, a page with anything on it many more; a JPEG's scan may end
    // early at an end marker, which the structure walk takes as whole.
    constexpr qint64 PixelsPerByteWorthJudging = 16;
    const bool thin = header.format == PictureFormat::Jpeg
                      && qint64(header.size.width()) * header.size.height() > PixelsPerByteWorthJudging * size;
    bool suffices = true;
    if (thin || pictureStructureOf(bytes) == PictureStructure::Incomplete) {
        // The verdict only: decoded as small as the decoder goes, which costs
        // about one read of the coded data.
        QByteArray copy = bytes.toByteArray();
        QImage judged;
        LoadOptions options;
        options.fitWithin = QSize(1, 1);
        suffices = decodePagePicture(copy, 0, judged, options);
    }
    if (mapped)
        file.unmap(const_cast<uchar *>(mapped));
    return suffices;
}

JpegWalk walkJpegSegments(QIODevice &d, const std::function<bool(uint8_t, qint64, int)> &visit)
{
    uint8_t two[2];
    if (!readExact(d, two, 2) || two[0] != 0xFF || two[1] != 0xD8)
        return JpegWalk::NotJpeg;
    int segments = 0;
    if (!readExact(d, two, 2))
        return JpegWalk::Ended;
    while (two[0] == 0xFF) {
        if (two[1] == 0xD9 || two[1] == 0xDA)
            return JpegWalk::ReachedScan;
        if (++segments > kMaxSegments)
            return JpegWalk::Ended;
        const qint64 p = d.pos();
        uint8_t len[2];
        if (!readExact(d, len, 2))
            return JpegWalk::Ended;
        const uint16_t n = be16(len);
        // A length below 2 would not move forward at all.
        if (n < 2)
            return JpegWalk::Ended;
        // A segment that claims to run past the end of the data ends the walk.
        if (p + n > d.size())
            return JpegWalk::Ended;
        if (!visit(two[1], p + 2, n - 2))
            return JpegWalk::Stopped;
        if (!d.seek(p + n) || !readExact(d, two, 2))
            return JpegWalk::Ended;
    }
    return JpegWalk::Ended;
}

int readExifOrientation(QIODevice &d)
{
    int result = 0;
    walkJpegSegments(d, [&](uint8_t marker, qint64 payload, int length) {
        uint8_t id[6];
        if (marker == 0xE1 && length >= 6 && readExact(d, id, 6) && std::memcmp(id, "Exif\0\0", 6) == 0)
            result = readTiffOrientation(d, d.pos(), payload + length, result);
        return true;
    });
    return result;
}

bool jpegHasFrame(QIODevice &d)
{
    bool found = false;
    walkJpegSegments(d, [&](uint8_t marker, qint64, int) {
        found = marker >= 0xC0 && marker <= 0xC3;
        return !found;
    });
    return found;
}

QSize listThumbnailSize(QSize picture, QSize box)
{
    if (picture.isEmpty() || box.isEmpty())
        return {};
    const double r = double(picture.height()) / double(picture.width());
    const double boxRatio = double(box.height()) / double(box.width());
    if (boxRatio > r)
        return {box.width(), std::max(1, int(std::trunc(box.width() * r)))};
    return {std::max(1, int(std::trunc(box.height() / r))), box.height()};
}

QImage makeListThumbnail(const QImage &picture, QSize box)
{
    const QSize size = listThumbnailSize(picture.size(), box);
    if (size.isEmpty())
        return {};
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage copyThumbnail(const QImage &thumbnail)
{
    return thumbnail.copy();
}

QRect bookThumbnailRect(QSize picture)
{
    if (picture.isEmpty())
        return {};
    const double r = double(picture.height()) / double(picture.width());
    if (r < 1.25) {
        const int h = std::max(1, int(std::trunc(r * kThumbnailWidth)));
        return {0, (kThumbnailHeight - h) / 2, kThumbnailWidth, h};
    }
    const int w = std::max(1, int(std::trunc(kThumbnailHeight / r)));
    return {(kThumbnailWidth - w) / 2, 0, w, kThumbnailHeight};
}

bool makeBookThumbnail(const QImage &picture, uint8_t *out, QSize storedSize)
{
    const QRect rect = bookThumbnailRect(storedSize.isValid() ? storedSize : picture.size());
    if (rect.isEmpty())
        return false;
    QImage frame(kThumbnailWidth, kThumbnailHeight, QImage::Format_BGR888);
    if (frame.isNull())
        return false;
    frame.fill(Qt::black);
    const QImage scaled = picture.scaled(rect.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_BGR888);
    if (scaled.size() != rect.size())
        return false;
    for (int y = 0; y < rect.height(); ++y)
        std::memcpy(frame.scanLine(rect.y() + y) + rect.x() * 3, scaled.constScanLine(y),
                    size_t(rect.width()) * 3);
    for (int y = 0; y < kThumbnailHeight; ++y)
        std::memcpy(out + y * kThumbnailWidth * 3, frame.constScanLine(y), kThumbnailWidth * 3);
    return true;
}

QImage bookThumbnailImage(const uint8_t *thumbnail)
{
    QImage frame(kThumbnailWidth, kThumbnailHeight, QImage::Format_BGR888);
    for (int y = 0; y < kThumbnailHeight; ++y)
        std::memcpy(frame.scanLine(y), thumbnail + y * kThumbnailWidth * 3, kThumbnailWidth * 3);
    return frame;
}

bool writePngFile(const QImage &picture, const QString &path)
{
    QByteArray png;
    QBuffer buffer(&png);
    return buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG") && platform::writeNewFile(path, png);
}

} // namespace kvb
