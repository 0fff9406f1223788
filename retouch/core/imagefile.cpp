#include "imagefile.h"

#include <picture/picture.h>
#include <platform/filenames.h>
#include <platform/paths.h>

#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <new>

namespace retouch {

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN,
              "32-bit QImage pixels are read as blue-green-red-alpha bytes");

namespace {

// The bit count of a BMP's header (core or info header), 0 when unreadable.
int bmpBitCount(QFile &file)
{
    const QByteArray head = file.peek(30);
    if (head.size() < 26 || !head.startsWith("BM"))
        return 0;
    const auto headerSize = qFromLittleEndian<quint32>(head.constData() + 14);
    if (headerSize == 12)
        return qFromLittleEndian<quint16>(head.constData() + 24);
    if (head.size() < 30)
        return 0;
    return qFromLittleEndian<quint16>(head.constData() + 28);
}

// A Mat over a 32-bit picture's pixels (blue, green, red, alpha), no copy.
cv::Mat wrap32(const QImage &picture)
{
    return cv::Mat(picture.height(), picture.width(), CV_8UC4,
                   const_cast<uchar *>(picture.constBits()), size_t(picture.bytesPerLine()));
}

} // namespace

int heldBitDepth(QImage::Format decoded, QByteArrayView decoder, int bmpBitCount)
{
    switch (decoded) {
    case QImage::Format_Invalid: return 0;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB: return 1;
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8:
    case QImage::Format_Alpha8: return 8;
    case QImage::Format_RGBX64:
    case QImage::Format_Grayscale16:
    case QImage::Format_BGR30:
    case QImage::Format_RGB30:
    case QImage::Format_RGBX16FPx4:
    case QImage::Format_RGBX32FPx4: return 32;
    default: break;
    }
    if (QImage::toPixelFormat(decoded).alphaUsage() == QPixelFormat::UsesAlpha)
        return 32;
    if (decoder == "bmp" && (bmpBitCount == 16 || bmpBitCount == 32))
        return bmpBitCount;
    return 24;
}

ImageReadResult readImageFile(const QString &path, cv::Mat &image)
{
    image.release();
    // The book library's decode limit: real scans pass, absurd claims fail.
    static const bool limitSet = [] {
        QImageReader::setAllocationLimit(kvb::kDecodeLimitMiB);
        return true;
    }();
    (void)limitSet;

    QFile file;
    if (!platform::openFile(file, path, QIODevice::ReadOnly))
        return ImageReadResult::OpenFailed;
    // The header decides before a pixel is decoded: no size, one beyond the
    // decode limit or data far short of it is a failed open, not gigabytes.
    if (!kvb::pictureWorthDecoding(file, kvb::readPictureHeader(file)) || !file.seek(0))
        return ImageReadResult::OpenFailed;
    QImageReader reader(&file);
    reader.setAutoTransform(false);
    const QByteArray decoder = reader.format();
    const int storedBits = decoder == "bmp" ? bmpBitCount(file) : 0;
    QImage picture;
    try {
        if (!reader.read(&picture) || picture.isNull())
            return ImageReadResult::OpenFailed;
        const int bits = heldBitDepth(picture.format(), decoder, storedBits);
        if (bits != 24 && bits != 32)
            return ImageReadResult::FormatError;
        if (bits == 24) {
            if (picture.format() != QImage::Format_RGB32)
                picture = picture.convertToFormat(QImage::Format_RGB32);
            if (picture.isNull())
                return ImageReadResult::OpenFailed;
            cv::cvtColor(wrap32(picture), image, cv::COLOR_BGRA2BGR);
        } else {
            if (picture.format() != QImage::Format_ARGB32)
                picture = picture.convertToFormat(QImage::Format_ARGB32);
            if (picture.isNull())
                return ImageReadResult::OpenFailed;
            image = wrap32(picture).clone();
        }
    } catch (const std::bad_alloc &) {
        image.release();
        return ImageReadResult::OpenFailed;
    } catch (const cv::Exception &) {
        image.release();
        return ImageReadResult::OpenFailed;
    }
    return ImageReadResult::Ok;
}

bool isJpegName(QStringView path)
{
    const QString extension = platform::extensionOf(path);
    return extension.compare(u"jpg", Qt::CaseInsensitive) == 0
           || extension.compare(u"jpeg", Qt::CaseInsensitive) == 0;
}

bool writeImageFile(const QString &path, const cv::Mat &image, int jpegQuality, platform::FileRole role)
{
    const QString extension = platform::extensionOf(path);
    if (extension.isEmpty() || image.empty())
        return false;
    std::vector<int> parameters;
    if (isJpegName(path))
        parameters = {cv::IMWRITE_JPEG_QUALITY, jpegQuality};
    std::vector<uchar> bytes;
    try {
        if (!cv::imencode("." + extension.toStdString(), image, bytes, parameters))
            return false;
    } catch (const cv::Exception &) {
        return false;
    } catch (const std::bad_alloc &) {
        return false;
    }

    platform::AtomicFile file(path, role);
    return file.open() && file.write(bytes.data(), bytes.size()) && file.commit();
}

} // namespace retouch
