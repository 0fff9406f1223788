#include "picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <cmath>
#include <utility>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <sys/mman.h>

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

// Large pictures live in memory mapped for them and marked for huge pages:
// decoding a scan touches every byte once, and with 4 KiB pages the page
// faults cost nearly as much as the decoding itself.
constexpr size_t kHugePageThreshold = size_t(8) << 20;

void unmapPicture(void *info)
{
    auto *mapping = static_cast<std::pair<void *, size_t> *>(info);
    ::munmap(mapping->first, mapping->second);
    delete mapping;
}

QImage allocatePicture(int width, int height)
{
    const auto bytesPerLine = qsizetype(width) * 4;
    const size_t bytes = size_t(bytesPerLine) * size_t(height);
    if (bytes >= kHugePageThreshold) {
        void *memory = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory != MAP_FAILED) {
#ifdef MADV_HUGEPAGE
            ::madvise(memory, bytes, MADV_HUGEPAGE);
#endif
            return QImage(static_cast<uchar *>(memory), width, height, bytesPerLine, QImage::Format_RGB32,
                          unmapPicture, new std::pair<void *, size_t>(memory, bytes));
        }
    }
    return QImage(width, height, QImage::Format_RGB32);
}

struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void jpegErrorExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<JpegErrorManager *>(cinfo->err)->jump, 1);
}

void jpegSilence(j_common_ptr, int) {}

// Decodes a JPEG straight into 32-bit pixels with libjpeg-turbo, scaling by
// n/8 in the DCT domain when a smaller picture covers `box` (stored
// orientation). Returns a null image when this path cannot decode the
// stream (CMYK, corrupt data, beyond the allocation limit); the caller then
// falls back to the general decoder, which also copes with damaged files.
QImage decodeJpeg(const QByteArray &bytes, QSize box, QSize *storedSize)
{
    jpeg_decompress_struct cinfo;
    JpegErrorManager err;
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = jpegErrorExit;
    err.base.emit_message = jpegSilence;
    // Declared before setjmp: nothing with a destructor may be created
    // between setjmp and a longjmp out of libjpeg.
    QImage image;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return {};
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    if (storedSize)
        *storedSize = QSize(int(cinfo.image_width), int(cinfo.image_height));
    if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK) {
        jpeg_destroy_decompress(&cinfo);
        return {};
    }
    cinfo.out_color_space = JCS_EXT_BGRX; // the byte order of Format_RGB32 in memory
    cinfo.scale_num = 8;
    cinfo.scale_denom = 8;
    if (box.isValid() && !box.isEmpty()) {
        const QSize wanted = QSize(int(cinfo.image_width), int(cinfo.image_height)).scaled(box, Qt::KeepAspectRatio);
        for (unsigned n = 1; n < 8; ++n) {
            if (cinfo.image_width * n >= unsigned(wanted.width()) * 8
                && cinfo.image_height * n >= unsigned(wanted.height()) * 8) {
                cinfo.scale_num = n;
                break;
            }
        }
    }
    jpeg_calc_output_dimensions(&cinfo);
    const uint64_t bytesNeeded = uint64_t(cinfo.output_width) * cinfo.output_height * 4;
    if (bytesNeeded > uint64_t(kDecodeLimitMiB) * 1024 * 1024 || cinfo.output_width > 65535
        || cinfo.output_height > 65535) {
        jpeg_destroy_decompress(&cinfo);
        return {};
    }
    image = allocatePicture(int(cinfo.output_width), int(cinfo.output_height));
    if (image.isNull()) {
        jpeg_destroy_decompress(&cinfo);
        return {};
    }
    jpeg_start_decompress(&cinfo);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image.scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    const bool damaged = err.base.num_warnings > 0;
    jpeg_destroy_decompress(&cinfo);
    if (damaged)
        return {};
    return image;
}

QImage decode(QByteArray &bytes, const char *format, const LoadOptions &options, int orientation)
{
    const bool turned = orientation >= 5 && orientation <= 8;
    if (format && std::strcmp(format, "jpeg") == 0) {
        QSize stored;
        const QSize box = turned ? options.fitWithin.transposed() : options.fitWithin;
        QImage image = decodeJpeg(bytes, box, &stored);
        if (!image.isNull()) {
            if (options.naturalSize)
                *options.naturalSize = turned ? stored.transposed() : stored;
            return image;
        }
    }

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoTransform(false);
    reader.setDecideFormatFromContent(format == nullptr);

    const QSize stored = reader.size();
    const QSize upright = turned ? stored.transposed() : stored;
    if (options.naturalSize)
        *options.naturalSize = upright;

    if (options.fitWithin.isValid() && stored.isValid() && !stored.isEmpty()
        && reader.supportsOption(QImageIOHandler::ScaledSize)) {
        const QSize box = turned ? options.fitWithin.transposed() : options.fitWithin;
        const QSize wanted = stored.scaled(box, Qt::KeepAspectRatio);
        if (wanted.width() < stored.width() && wanted.height() < stored.height()
            && !wanted.isEmpty())
            reader.setScaledSize(wanted);
    }
    return reader.read();
}

} // namespace

bool loadPagePicture(const QString &sourcePath, uint64_t offset, uint32_t size, uint8_t kind,
                     QImage &picture, const LoadOptions &options)
{
    QFile file(sourcePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    if (offset != 0 && !file.seek(qint64(offset)))
        return false;
    QByteArray bytes;
    bytes.resize(qsizetype(size));
    if (file.read(bytes.data(), qint64(size)) != qint64(size))
        return false;
    file.close();
    return decodePagePicture(bytes, kind, picture, options);
}

bool decodePagePicture(QByteArray &bytes, uint8_t kind, QImage &picture, const LoadOptions &options)
{
    // Raised once; applies to every reader made afterwards.
    static const bool limitSet = [] {
        QImageReader::setAllocationLimit(kDecodeLimitMiB);
        return true;
    }();
    (void)limitSet;

    int orientation = 0;
    if (kind == Jpeg) {
        // The Exif walk runs over the bytes already in memory: the same walk
        // as over the file, without a second read.
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        orientation = readExifOrientation(buffer);
    }
    const char *format = kind == Jpeg ? "jpeg" : kind == Png ? "png" : kind == Bmp ? "bmp" : nullptr;
    const QImage stored = decode(bytes, format, options, orientation);
    if (stored.isNull())
        return false;
    picture = orientPicture(stored, orientation);
    return !picture.isNull();
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

QImage orientPicture(const QImage &stored, int orientation)
{
    switch (orientation) {
    case 2: return stored.mirrored(true, false);
    case 3: return stored.mirrored(true, true);
    case 4: return stored.mirrored(false, true);
    case 5: return stored.transformed(QTransform().rotate(90)).mirrored(true, false);
    case 6: return stored.transformed(QTransform().rotate(90));
    case 7: return stored.transformed(QTransform().rotate(90)).mirrored(false, true);
    case 8: return stored.transformed(QTransform().rotate(-90));
    default: return stored;
    }
}

QSize listThumbnailSize(QSize picture, QSize box)
{
    if (picture.isEmpty() || box.isEmpty())
        return {};
    const double r = double(picture.height()) / double(picture.width());
    const double boxRatio = double(box.height()) / double(box.width());
    if (boxRatio > r)
        return {box.width(), int(std::trunc(box.width() * r))};
    return {int(std::trunc(box.height() / r)), box.height()};
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
        const int h = int(std::trunc(r * kThumbnailWidth));
        return {0, (kThumbnailHeight - h) / 2, kThumbnailWidth, h};
    }
    const int w = int(std::trunc(kThumbnailHeight / r));
    return {(kThumbnailWidth - w) / 2, 0, w, kThumbnailHeight};
}

bool makeBookThumbnail(const QImage &picture, uint8_t *out)
{
    const QRect rect = bookThumbnailRect(picture.size());
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

} // namespace kvb
