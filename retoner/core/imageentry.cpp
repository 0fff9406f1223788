#include "imageentry.h"

#include "jpegbgr.h"

#include <picture/picture.h>
#include <picture/pictureformat.h>
#include <platform/filenames.h>
#include <platform/paths.h>
#include <platform/safefile.h>
#include <tone/transfercurve.h>

#include <QFile>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include <unistd.h>

namespace retoner {

namespace {

// The longest path handed to the image codecs.
constexpr qsizetype MaxNativePath = 4095;

struct DetectionTables {
    cv::Mat linearize, sin2, cos2;
    DetectionTables()
    {
        linearize = makeLinearizeLut();
        makeHueSpreadLuts(sin2, cos2);
    }
};

const DetectionTables &detectionTables()
{
    static const DetectionTables tables;
    return tables;
}

} // namespace

uint8_t imageKindForPath(const QString &path)
{
    const QString ext = platform::extensionOf(path);
    if (ext.compare(u"jpg", Qt::CaseInsensitive) == 0 || ext.compare(u"jpeg", Qt::CaseInsensitive) == 0)
        return KindJpeg;
    if (ext.compare(u"png", Qt::CaseInsensitive) == 0)
        return KindPng;
    if (ext.compare(u"bmp", Qt::CaseInsensitive) == 0)
        return KindBmp;
    return 0;
}

bool readPicture(const QString &path, cv::Mat &image, bool reuseBuffer)
{
    if (!reuseBuffer)
        image.release();
    const QByteArray native = platform::nameBytes(path);
    if (native.isEmpty() || native.size() > MaxNativePath)
        return false;
    // The header decides before a pixel is decoded: a picture larger than any
    // program of the suite decodes (or one that is no JPEG, PNG or BMP at all)
    // is a failed read, not gigabytes of memory. So is a 16-bit one, which
    // would be refused below after decoding it at twice the size, and one
    // whose data falls far short of the pixels it claims.
    QFile file;
    if (!platform::openFile(file, path, QIODevice::ReadOnly))
        return false;
    const kvb::PictureHeader header = kvb::readPictureHeader(file);
    if (header.bitsPerSample != 8 || !kvb::pictureWorthDecoding(file, header)) {
        image.release();
        return false;
    }
    if (header.format == kvb::PictureFormat::Jpeg && file.seek(0) && file.peek(3) == "\xFF\xD8\xFF") {
        // Read through its own descriptor from the start, as OpenCV would.
        const int handle = ::dup(file.handle());
        if (std::FILE *stream = handle >= 0 ? ::fdopen(handle, "rb") : nullptr) {
            const bool decoded = std::fseek(stream, 0, SEEK_SET) == 0 && decodeJpegBgr(stream, image);
            std::fclose(stream);
            if (decoded)
                return true;
        } else if (handle >= 0) {
            ::close(handle);
        }
    }
    file.close();
    image.release();
    try {
        image = cv::imread(native.toStdString(), cv::IMREAD_ANYDEPTH | cv::IMREAD_ANYCOLOR);
    } catch (const cv::Exception &) {
        image.release();
    } catch (const std::bad_alloc &) {
        image.release();
    }
    if (image.empty() || image.type() != CV_8UC3) {
        image.release();
        return false;
    }
    return true;
}

bool encodePicture(const QString &extension, const cv::Mat &image, const std::vector<int> &params,
                   std::vector<uchar> &encoded)
{
    encoded.clear();
    try {
        return cv::imencode(platform::nameBytes(extension).toStdString(), image, encoded, params);
    } catch (const cv::Exception &) {
        return false;
    } catch (const std::bad_alloc &) {
        return false;
    }
}

bool writePictureFile(const QString &path, const std::vector<uchar> &encoded)
{
    const QByteArray native = platform::nameBytes(path);
    if (native.isEmpty() || native.size() > MaxNativePath)
        return false;
    // Put in place whole; a link of that name in the output folder is
    // replaced, never written through.
    return platform::writeNewFile(path, QByteArray::fromRawData(reinterpret_cast<const char *>(encoded.data()),
                                                                qsizetype(encoded.size())));
}

cv::Mat makeLinearizeLut()
{
    const tone::TransferTables tables =
        tone::buildTransferTables(tone::kStandardExponent, tone::kStandardFactor);
    cv::Mat lut(1, 256, CV_8U);
    for (int i = 0; i < 256; ++i)
        lut.at<uchar>(0, i) = tables.decode[size_t(i)];
    return lut;
}

void makeHueSpreadLuts(cv::Mat &sin2, cv::Mat &cos2)
{
    sin2.create(1, 256, CV_8U);
    cos2.create(1, 256, CV_8U);
    for (int i = 0; i < 256; ++i) {
        const double angle = i * std::numbers::pi / 256.0;
        const double s = std::sin(angle);
        const double c = std::cos(angle);
        sin2.at<uchar>(0, i) = static_cast<uchar>(255.0 * s * s);
        cos2.at<uchar>(0, i) = static_cast<uchar>(255.0 * c * c);
    }
}

cv::Mat reduceForAnalysis(const cv::Mat &image)
{
    const int smaller = std::min(image.cols, image.rows);
    if (smaller <= 256)
        return image;
    cv::Size size;
    if (image.cols <= image.rows)
        size = cv::Size(256, static_cast<int>(static_cast<long long>(image.rows) * 256 / smaller));
    else
        size = cv::Size(static_cast<int>(static_cast<long long>(image.cols) * 256 / smaller), 256);
    cv::Mat reduced;
    cv::resize(image, reduced, size, 0, 0, cv::INTER_NEAREST);
    return reduced;
}

bool isColorPicture(const cv::Mat &reduced, RegistrationMode mode)
{
    if (mode == RegistrationMode::AllColor)
        return true;
    if (mode == RegistrationMode::AllMono)
        return false;
    const bool mode0 = mode == RegistrationMode::AutoSaturatedIsColor;
    const DetectionTables &tables = detectionTables();

    cv::Mat work;
    if (mode0) {
        cv::LUT(reduced, tables.linearize, work);
        cv::GaussianBlur(work, work, cv::Size(3, 3), 0, 0, cv::BORDER_REPLICATE);
    } else {
        cv::GaussianBlur(reduced, work, cv::Size(3, 3), 0, 0, cv::BORDER_REPLICATE);
    }
    cv::Mat hsv;
    cv::cvtColor(work, hsv, cv::COLOR_BGR2HSV_FULL);
    std::vector<cv::Mat> planes;
    cv::split(hsv, planes);
    const cv::Mat &h = planes[0], &s = planes[1], &v = planes[2];

    cv::Mat saturated, bright, notWhite, mask;
    cv::threshold(s, saturated, 32, 255, cv::THRESH_BINARY);
    cv::threshold(v, bright, mode0 ? 16 : 36, 255, cv::THRESH_BINARY);
    cv::threshold(v, notWhite, 238, 255, cv::THRESH_BINARY_INV);
    cv::bitwise_and(saturated, bright, mask);
    cv::bitwise_and(mask, notWhite, mask);

    const long long count = cv::countNonZero(mask);
    const long long area = static_cast<long long>(reduced.rows) * reduced.cols;
    // Fewer than about one pixel in 160 coloured: monochrome.
    if (count == 0 || area / count >= 160)
        return false;

    cv::Scalar meanS, sdS;
    cv::meanStdDev(s, meanS, sdS, mask);
    if (mode0)
        return meanS[0] >= 58 || sdS[0] >= 23;

    cv::Mat sinH, cosH;
    cv::LUT(h, tables.sin2, sinH);
    cv::LUT(h, tables.cos2, cosH);
    cv::Scalar mean1, sd1, mean2, sd2;
    cv::meanStdDev(sinH, mean1, sd1, mask);
    cv::meanStdDev(cosH, mean2, sd2, mask);
    const double spread = std::sqrt(sd1[0] * sd1[0] + sd2[0] * sd2[0]);
    // Coloured pixels that share one hue (a sepia print) have a small spread.
    return sdS[0] >= 16 && spread >= 16;
}

bool classifyImage(ImageEntry &entry, RegistrationMode mode, bool keepThumbnail)
{
    cv::Mat image;
    return readPicture(entry.path, image) && classifyPicture(entry, image, mode, keepThumbnail);
}

bool classifyPicture(ImageEntry &entry, const cv::Mat &image, RegistrationMode mode, bool keepThumbnail)
{
    entry.width = image.cols;
    entry.height = image.rows;
    try {
        const cv::Mat reduced = reduceForAnalysis(image);
        entry.isColor = isColorPicture(reduced, mode) ? 1 : 0;
        if (keepThumbnail)
            entry.thumbnail = QImage(reduced.data, reduced.cols, reduced.rows,
                                     static_cast<qsizetype>(reduced.step), QImage::Format_BGR888)
                                  .copy();
    } catch (const cv::Exception &) {
        entry.width = entry.height = 0;
        return false;
    } catch (const std::bad_alloc &) {
        entry.width = entry.height = 0;
        return false;
    }
    return true;
}

} // namespace retoner
