#include "picture/picture.h"
#include "testsupport.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <png.h>

using namespace kvb;
using testsupport::cornerPicture;
using testsupport::jpegWithOrientation;

namespace {

int orientationOf(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return readExifOrientation(buffer);
}

QByteArray app1(const QByteArray &payload)
{
    QByteArray seg;
    const int n = int(payload.size()) + 2;
    seg.append(char(0xFF)).append(char(0xE1)).append(char(n >> 8)).append(char(n & 0xFF));
    return seg + payload;
}

QByteArray exifPayload(const QByteArray &tiff)
{
    return QByteArray("Exif\0\0", 6) + tiff;
}

// A big-endian TIFF block with an orientation entry; the caller may spoil it.
QByteArray tiffWith(uint16_t orientation)
{
    QByteArray t("MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01", 18);
    t.append(char(orientation >> 8)).append(char(orientation & 0xFF)).append("\0\0", 2);
    return t;
}

const QByteArray kSoi("\xFF\xD8", 2);

// The colour class of a pixel of the corner picture after lossy coding.
char cornerColour(const QImage &img, int x, int y)
{
    const QColor c = img.pixelColor(x, y);
    if (c.red() > 200 && c.green() > 200 && c.blue() > 200)
        return 'W';
    if (c.red() > 180 && c.green() < 80 && c.blue() < 80)
        return 'R';
    if (c.green() > 180 && c.red() < 80 && c.blue() < 80)
        return 'G';
    if (c.blue() > 180 && c.red() < 80 && c.green() < 80)
        return 'B';
    return '?';
}

// Corners read clockwise from the top-left.
QString corners(const QImage &img)
{
    const int w = img.width() - 3, h = img.height() - 3;
    const char out[5] = {cornerColour(img, 2, 2), cornerColour(img, w, 2), cornerColour(img, w, h),
                         cornerColour(img, 2, h), 0};
    return QString::fromLatin1(out);
}

} // namespace

TEST(Exif, OrientationInEitherByteOrder)
{
    const QImage img = cornerPicture(32, 24);
    EXPECT_EQ(orientationOf(jpegWithOrientation(img, 6, true)), 6);
    EXPECT_EQ(orientationOf(jpegWithOrientation(img, 8, false)), 8);
    EXPECT_EQ(orientationOf(testsupport::encode(img, "JPG")), 0);
    EXPECT_EQ(orientationOf(testsupport::encode(img, "PNG")), 0);
}

TEST(Exif, TheSecondApp1CountsWhenTheFirstIsNotExif)
{
    const QByteArray rest = testsupport::encode(cornerPicture(16, 16), "JPG").mid(2);
    const QByteArray bytes = kSoi + app1("http://ns.example/xmp\0 <x/>") + app1(exifPayload(tiffWith(3))) + rest;
    EXPECT_EQ(orientationOf(bytes), 3);
    // A repeated tag in the directory: the later entry wins.
    QByteArray twice("MM\0\x2a\0\0\0\x08\0\x02", 10);
    twice += QByteArray("\x01\x12\0\x03\0\0\0\x01\0\x02\0\0", 12);
    twice += QByteArray("\x01\x12\0\x03\0\0\0\x01\0\x07\0\0", 12);
    EXPECT_EQ(orientationOf(kSoi + app1(exifPayload(twice)) + rest), 7);
    // A wrong type ends the walk with what was found so far.
    QByteArray wrongType = tiffWith(6);
    wrongType[13] = 4;
    EXPECT_EQ(orientationOf(kSoi + app1(exifPayload(wrongType)) + rest), 0);
}

TEST(Exif, MalformedStructuresEndTheWalk)
{
    const QByteArray rest = testsupport::encode(cornerPicture(16, 16), "JPG").mid(2);
    // Truncated in the middle of the TIFF block.
    EXPECT_EQ(orientationOf(kSoi + app1(exifPayload(tiffWith(6))).left(20)), 0);
    // A segment length below 2 would loop on the same bytes.
    EXPECT_EQ(orientationOf(kSoi + QByteArray("\xFF\xE0\x00\x00", 4) + rest), 0);
    EXPECT_EQ(orientationOf(kSoi + QByteArray("\xFF\xE1\x00\x01", 4) + rest), 0);
    // IFD offset beyond the segment (the bytes after it hold a tempting entry).
    QByteArray far = tiffWith(6);
    far[7] = char(0x40);
    EXPECT_EQ(orientationOf(kSoi + app1(exifPayload(far)) + app1(exifPayload(tiffWith(6)).mid(0, 6)) + rest), 0);
    // An entry count far larger than the segment holds: only real entries read.
    QByteArray many = tiffWith(5);
    many[8] = char(0xFF);
    many[9] = char(0xFF);
    EXPECT_EQ(orientationOf(kSoi + app1(exifPayload(many)) + rest), 5);
    // Endless run of tiny segments stops after 128.
    QByteArray loop = kSoi;
    for (int i = 0; i < 200; ++i)
        loop += QByteArray("\xFF\xE2\x00\x02", 4);
    loop += app1(exifPayload(tiffWith(6)));
    EXPECT_EQ(orientationOf(loop), 0);
    // Not a JPEG, or empty.
    EXPECT_EQ(orientationOf(QByteArray("\xFF\xD9", 2)), 0);
    EXPECT_EQ(orientationOf(QByteArray()), 0);
}

TEST(Picture, EveryOrientationPutsTheCornersWhereTheTableSays)
{
    QTemporaryDir dir;
    // Stored corners clockwise from top-left: R G W B. The second size is no
    // multiple of the rows turned at a time; the box asks for a reduced decode.
    for (const QSize stored : {QSize(64, 48), QSize(203, 117)}) {
        for (const QSize box : {QSize(), QSize(40, 40)}) {
            const QString where = QStringLiteral("%1x%2 box %3").arg(stored.width()).arg(stored.height()).arg(box.width());
            const int w = stored.width(), h = stored.height();
            struct Case {
                int orientation;
                QSize size;
                const char *corners;
            } cases[] = {
                {1, {w, h}, "RGWB"}, {2, {w, h}, "GRBW"}, {3, {w, h}, "WBRG"}, {4, {w, h}, "BWGR"},
                {5, {h, w}, "RBWG"}, {6, {h, w}, "BRGW"}, {7, {h, w}, "WGRB"}, {8, {h, w}, "GWBR"},
                {9, {w, h}, "RGWB"},
            };
            for (const Case &c : cases) {
                const QString path = dir.filePath(QStringLiteral("o%1.jpg").arg(c.orientation));
                ASSERT_TRUE(testsupport::writeFile(
                    path, jpegWithOrientation(cornerPicture(w, h), c.orientation, c.orientation % 2)));
                QImage picture;
                QSize natural;
                LoadOptions options;
                options.fitWithin = box;
                options.naturalSize = &natural;
                ASSERT_TRUE(loadPagePicture(path, 0, uint32_t(QFileInfo(path).size()), Jpeg, picture, options))
                    << c.orientation;
                EXPECT_EQ(natural, c.size) << c.orientation << " " << where.toStdString();
                if (!box.isValid())
                    EXPECT_EQ(picture.size(), c.size) << c.orientation << " " << where.toStdString();
                else
                    EXPECT_LT(picture.width(), c.size.width()) << c.orientation << " " << where.toStdString();
                EXPECT_EQ(corners(picture), QString::fromLatin1(c.corners)) << c.orientation << " " << where.toStdString();
            }
        }
    }
}

namespace {

// The peak of the memory the process holds (VmHWM) starts again from what it
// holds now.
void resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// The most memory the process has held at once since resetPeakMemory, and
// what it holds now, in bytes; -1 where the system does not say.
qint64 peakMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    return -1;
}

qint64 currentMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    return -1;
}

} // namespace

TEST(Picture, TurnedJpegIsHeldOnlyOnceWhileDecoding)
{
    // A picture turned by its Exif orientation used to be decoded as stored
    // and then copied turned: twice its size at the peak (a 20000 x 20000
    // scan, 1.6 GB within the decode limit, peaked at 3.2 GB). Turned while
    // decoding, it is held once.
    const QSize stored(4000, 3000);
    const qint64 pictureBytes = qint64(stored.width()) * stored.height() * 4;
    for (const int orientation : {6, 8, 5, 7}) {
        QByteArray bytes = jpegWithOrientation(cornerPicture(stored.width(), stored.height()), orientation);
        resetPeakMemory();
        const qint64 before = currentMemory();
        if (before < 0 || peakMemory() > before + (qint64(8) << 20))
            GTEST_SKIP() << "this system cannot reset the peak memory of a process";
        QImage picture;
        ASSERT_TRUE(decodePagePicture(bytes, Jpeg, picture)) << orientation;
        const qint64 peak = peakMemory() - before;
        EXPECT_EQ(picture.size(), stored.transposed()) << orientation;
        EXPECT_LT(peak, pictureBytes * 3 / 2) << orientation << ": " << peak / 1000000 << " MB at the peak for a "
                                              << pictureBytes / 1000000 << " MB picture";
    }
}

TEST(Picture, PictureWhoseContentDoesNotMatchItsKindDecodesByContent)
{
    // Downloaded scans are often PNGs named .jpg. The content decides, and
    // only JPEG content is turned by its Exif orientation.
    const QByteArray png = testsupport::encode(cornerPicture(30, 20), "PNG");
    const QByteArray bmp = testsupport::encode(cornerPicture(30, 20), "BMP");
    const QByteArray turnedJpeg = jpegWithOrientation(cornerPicture(40, 20), 6);
    struct Case {
        QByteArray bytes;
        uint8_t kind;
        QSize size;
    } cases[] = {
        {png, Jpeg, {30, 20}}, {png, Bmp, {30, 20}}, {bmp, Png, {30, 20}}, {bmp, Jpeg, {30, 20}},
        {turnedJpeg, Png, {20, 40}}, {turnedJpeg, 0x83, {20, 40}},
    };
    for (Case &c : cases) {
        QImage picture;
        ASSERT_TRUE(decodePagePicture(c.bytes, c.kind, picture)) << int(c.kind);
        EXPECT_EQ(picture.size(), c.size) << int(c.kind);
        EXPECT_EQ(corners(picture).at(0), c.size.width() > c.size.height() ? u'R' : u'B') << int(c.kind);
    }
}

TEST(Picture, CmykJpegShowsAsQtShowedIt)
{
    // Four-colour JPEGs (print scans) are stored inverted, as Adobe writes
    // them; they were decoded through Qt's reader and must look the same.
    jpeg_compress_struct c;
    jpeg_error_mgr errors;
    c.err = jpeg_std_error(&errors);
    jpeg_create_compress(&c);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = 48;
    c.image_height = 32;
    c.input_components = 4;
    c.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&c);
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row(48 * 4);
    while (c.next_scanline < c.image_height) {
        for (int x = 0; x < 48; ++x) {
            const uint8_t ink[4] = {uint8_t(x * 5), uint8_t(255 - x * 5), uint8_t(c.next_scanline * 8), 200};
            std::copy(ink, ink + 4, row.begin() + x * 4);
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    QByteArray bytes(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    jpeg_destroy_compress(&c);

    const QImage qt = QImage::fromData(bytes, "JPEG").convertToFormat(QImage::Format_RGB32);
    QImage picture;
    ASSERT_TRUE(decodePagePicture(bytes, Jpeg, picture));
    ASSERT_EQ(picture.size(), qt.size());
    int worst = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 48; ++x) {
            const QRgb a = picture.pixel(x, y), b = qt.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    EXPECT_LE(worst, 1);
}

TEST(Picture, SixteenBitPngWithTransparentColourKeepsItsColours)
{
    // RGB at 16 bits a sample whose transparent colour is the second pixel's.
    const uint16_t samples[2][3] = {{0xFFFF, 0x8000, 0x0000}, {0x1234, 0x5678, 0x9ABC}};
    QByteArray bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &bytes,
        [](png_structp p, png_bytep data, size_t n) {
            static_cast<QByteArray *>(png_get_io_ptr(p))->append(reinterpret_cast<const char *>(data), qsizetype(n));
        },
        nullptr);
    png_set_IHDR(png, info, 2, 3, 16, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_color_16 transparent{0, samples[1][0], samples[1][1], samples[1][2], 0};
    png_set_tRNS(png, info, nullptr, 0, &transparent);
    png_write_info(png, info);
    for (int y = 0; y < 3; ++y) {
        uint8_t row[12];
        for (int x = 0; x < 2; ++x)
            for (int c = 0; c < 3; ++c) {
                row[x * 6 + c * 2] = uint8_t(samples[x][c] >> 8);
                row[x * 6 + c * 2 + 1] = uint8_t(samples[x][c] & 0xFF);
            }
        png_write_row(png, row);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);

    QImage picture;
    ASSERT_TRUE(decodePagePicture(bytes, Png, picture));
    ASSERT_EQ(picture.size(), QSize(2, 3));
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(picture.pixel(0, y), qRgba(255, 128, 0, 255)) << y;
        EXPECT_EQ(qAlpha(picture.pixel(1, y)), 0) << y;
    }
}

TEST(Picture, PagesInsideBooksAndOtherKinds)
{
    QTemporaryDir dir;
    const QByteArray jpeg = jpegWithOrientation(cornerPicture(400, 300), 6);
    const QByteArray png = testsupport::encode(cornerPicture(30, 20), "PNG");
    const QString book = dir.filePath(QStringLiteral("b.kvb"));
    ASSERT_TRUE(testsupport::writeFile(book, QByteArray("padding!") + jpeg + png));

    QImage picture;
    ASSERT_TRUE(loadPagePicture(book, 8, uint32_t(jpeg.size()), Jpeg, picture));
    EXPECT_EQ(picture.size(), QSize(300, 400));
    // A PNG is never turned, and a JPEG given another kind is not either.
    ASSERT_TRUE(loadPagePicture(book, 8 + uint64_t(jpeg.size()), uint32_t(png.size()), Png, picture));
    EXPECT_EQ(picture.size(), QSize(30, 20));
    // Short data, a missing file and garbage are failed loads.
    EXPECT_FALSE(loadPagePicture(book, 8 + uint64_t(jpeg.size()), uint32_t(png.size()) + 1, Png, picture));
    EXPECT_FALSE(loadPagePicture(dir.filePath(QStringLiteral("none")), 0, 10, Png, picture));
    EXPECT_FALSE(loadPagePicture(book, 0, 8, Jpeg, picture));
}

TEST(Picture, ReducedDecodingCoversTheBoxAndReportsTheNaturalSize)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.jpg"));
    const QByteArray jpeg = jpegWithOrientation(cornerPicture(1600, 1200), 6);
    ASSERT_TRUE(testsupport::writeFile(path, jpeg));
    QImage picture;
    QSize natural;
    LoadOptions options;
    options.fitWithin = QSize(150, 400);
    options.naturalSize = &natural;
    ASSERT_TRUE(loadPagePicture(path, 0, uint32_t(jpeg.size()), Jpeg, picture, options));
    EXPECT_EQ(natural, QSize(1200, 1600));
    EXPECT_LE(picture.width(), 1200);
    EXPECT_GE(picture.width(), 150);
    EXPECT_GE(picture.height(), 200);
    EXPECT_LT(picture.width(), 1200);
    EXPECT_EQ(corners(picture), QStringLiteral("BRGW"));
}

TEST(Picture, PageLargerThanAnyRealPageIsRefusedUnread)
{
    // A small picture at the start of a huge, sparse page: reading the whole
    // page would cost its size in memory before anything is known.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sparse.jpg"));
    const QByteArray jpeg = testsupport::encode(cornerPicture(16, 16), "JPG");
    ASSERT_TRUE(testsupport::writeFile(path, jpeg));
    QImage picture;
    ASSERT_TRUE(loadPagePicture(path, 0, uint32_t(jpeg.size()), Jpeg, picture));
    QFile file(path);
    ASSERT_TRUE(file.resize(qint64(kMaxPageBytes) + 1));
    EXPECT_FALSE(loadPagePicture(path, 0, kMaxPageBytes + 1, Jpeg, picture));
    // The bound holds for a file the caller keeps open too, as does the end of
    // the file for a record that claims more than it holds.
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes;
    EXPECT_FALSE(readPageBytes(file, 0, kMaxPageBytes + 1, bytes));
    EXPECT_FALSE(readPageBytes(file, uint64_t(file.size()) - 10, 11, bytes));
    EXPECT_TRUE(bytes.isEmpty());
    EXPECT_TRUE(readPageBytes(file, 0, uint32_t(jpeg.size()), bytes));
    EXPECT_EQ(bytes, jpeg);
}

TEST(Picture, JpegCutShortStopsAtOnceAndIsReportedDamaged)
{
    auto decode = [](QByteArray bytes, QImage &picture, bool &damaged) {
        LoadOptions options;
        options.damaged = &damaged;
        return decodePagePicture(bytes, Jpeg, picture, options);
    };
    QImage picture;
    bool damaged = false;

    // A few hundred bytes that claim 20000 x 20000 pixels, the little data
    // there is followed by nothing, the end marker, another table or a stray
    // restart marker (after which libjpeg reports no more missing data): no
    // time, no memory, no page.
    const QByteArray table = QByteArray("\xFF\xDB\x00\x43\x00", 5) + QByteArray(64, 1);
    const QByteArray restart("\xFF\xD1\x00\x00\x00", 5);
    for (const QByteArray &end : {QByteArray(), QByteArray("\xFF\xD9", 2), table, restart}) {
        QElapsedTimer timer;
        timer.start();
        EXPECT_FALSE(decode(testsupport::jpegClaiming(QSize(20000, 20000), 8) + end, picture, damaged));
        EXPECT_TRUE(damaged);
        EXPECT_LT(timer.elapsed(), 3000);
    }

    // Only the end marker missing: the page is whole.
    const QImage stored = cornerPicture(96, 320);
    const QByteArray jpeg = testsupport::encode(stored, "JPG");
    QImage whole;
    ASSERT_TRUE(decode(jpeg, whole, damaged));
    ASSERT_TRUE(jpeg.endsWith("\xFF\xD9"));
    ASSERT_TRUE(decode(jpeg.chopped(2), picture, damaged));
    EXPECT_FALSE(damaged);
    EXPECT_EQ(picture, whole);

    // Cut off in its lower part: the rows that arrived show, the rest grey.
    const qsizetype scan = testsupport::scanStarts(jpeg).value(0);
    const qsizetype data = jpeg.size() - scan;
    ASSERT_TRUE(decode(jpeg.left(scan + data * 9 / 10), picture, damaged));
    EXPECT_TRUE(damaged);
    EXPECT_EQ(picture.size(), QSize(96, 320));
    EXPECT_EQ(corners(picture).left(2), QStringLiteral("RG"));
    EXPECT_EQ(picture.pixel(50, 319), qRgb(128, 128, 128));
    // Cut off in its upper part: too little to show.
    EXPECT_FALSE(decode(jpeg.left(scan + data / 4), picture, damaged));
    EXPECT_TRUE(damaged);

    // A progressive picture exists after its last scan: cut in its first scan
    // it fails; cut later, or missing whole scans, it is finished without the
    // missing detail.
    const QByteArray progressive = testsupport::progressiveJpeg(stored);
    const QList<qsizetype> scans = testsupport::scanStarts(progressive);
    ASSERT_GE(scans.size(), 4);
    auto scanData = [&](qsizetype start) {
        return start + 2 + ((uint8_t(progressive[start + 2]) << 8) | uint8_t(progressive[start + 3]));
    };
    EXPECT_FALSE(decode(progressive.left(scanData(scans[0]) + 4), picture, damaged));
    EXPECT_TRUE(damaged);
    // Into the data of the later scan that has the most.
    qsizetype richest = 1;
    for (qsizetype i = 2; i + 1 < scans.size(); ++i)
        if (scans[i + 1] - scans[i] > scans[richest + 1] - scans[richest])
            richest = i;
    for (const qsizetype cut : {scans.last(), scanData(scans[richest]) + 4}) {
        ASSERT_TRUE(decode(progressive.left(cut), picture, damaged)) << cut;
        EXPECT_TRUE(damaged) << cut;
        EXPECT_EQ(corners(picture), QStringLiteral("RGWB")) << cut;
    }
    ASSERT_TRUE(decode(progressive.chopped(2), picture, damaged));
    EXPECT_FALSE(damaged);
}

TEST(Picture, StructureIsCompleteOnlyForTheWholePicture)
{
    const QImage stored = cornerPicture(40, 24);
    for (const QByteArray &whole : {testsupport::encode(stored, "JPG"), testsupport::progressiveJpeg(stored),
                                    testsupport::encode(stored, "PNG"), testsupport::encode(stored, "BMP")}) {
        ASSERT_EQ(pictureStructureOf(whole), PictureStructure::Complete) << whole.left(4).toHex().constData();
        // Trailing bytes after the end are no part of the picture.
        EXPECT_EQ(pictureStructureOf(whole + QByteArray(7, '\0')), PictureStructure::Complete);
        for (qsizetype n = 8; n < whole.size(); ++n) {
            // A BMP's last bytes may be row padding.
            if (whole.startsWith("BM") && n >= whole.size() - 3)
                break;
            EXPECT_EQ(pictureStructureOf(whole.left(n)), PictureStructure::Incomplete)
                << whole.left(4).toHex().constData() << " cut at " << n;
        }
    }
    EXPECT_EQ(pictureStructureOf(QByteArray(100, 'g')), PictureStructure::Unknown);
}

// The scan's coded 0xFF bytes and restart markers are passed over, and the
// marker that ends it is found, wherever they fall in the 16-byte steps the
// search takes.
TEST(Picture, ScanDataIsWalkedToItsEndAtEveryOffset)
{
    const QByteArray jpeg = testsupport::encode(cornerPicture(16, 16), "JPG");
    const QList<qsizetype> scans = testsupport::scanStarts(jpeg);
    ASSERT_EQ(scans.size(), 1);
    const qsizetype sosLength = (uchar(jpeg[scans[0] + 2]) << 8) | uchar(jpeg[scans[0] + 3]);
    const QByteArray head = jpeg.left(scans[0] + 2 + sosLength);
    const QByteArray eoi("\xFF\xD9", 2);
    for (int k = 0; k < 40; ++k) {
        QByteArray coded(48, '\x12');
        coded.replace(k, 2, QByteArray("\xFF\x00", 2));
        coded.replace((k + 5) % 46, 2, QByteArray("\xFF\xD3", 2));
        EXPECT_EQ(pictureStructureOf(head + coded + eoi), PictureStructure::Complete) << k;
        EXPECT_EQ(pictureStructureOf(head + coded), PictureStructure::Incomplete) << k;
        EXPECT_EQ(pictureStructureOf(head + coded.left(k + 1)), PictureStructure::Incomplete) << k;
        QByteArray ended = coded;
        ended.replace(k, 2, eoi);
        EXPECT_EQ(pictureStructureOf(head + ended + QByteArray(9, '\x34')), PictureStructure::Complete) << k;
    }
}

TEST(Picture, FilesForOtherCodecsAreWorthDecodingOnlyWithTheirDataThere)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture"));
    auto worth = [&](const QByteArray &bytes) {
        EXPECT_TRUE(testsupport::writeFile(path, bytes));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return pictureWorthDecoding(file, readPictureHeader(file));
    };
    // A few hundred bytes for 20000 x 20000 pixels, cut inside the scan or
    // ended there by an end marker (a structure that looks whole).
    const QByteArray fake = testsupport::jpegClaiming(QSize(20000, 20000), 8);
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(worth(fake));
    EXPECT_FALSE(worth(fake + "\xFF\xD9"));
    EXPECT_LT(timer.elapsed(), 2000);
    // Beyond the limit, or a size only a codec searching a broken signature
    // for a frame would find: refused from the header.
    EXPECT_FALSE(worth(testsupport::jpegClaiming(QSize(21000, 21000), 2000)));
    QByteArray brokenSignature = testsupport::encode(cornerPicture(16, 16), "JPG");
    brokenSignature[2] = '\x11';
    EXPECT_FALSE(worth(brokenSignature));

    // Real pictures: a blank page (small for its pixels), a whole one, one
    // lacking its end marker or its last rows. Cut to a quarter, they fail.
    QImage blank(2400, 3200, QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_TRUE(worth(testsupport::encode(blank, "JPG")));
    QImage patterned(240, 480, QImage::Format_RGB32);
    for (int y = 0; y < patterned.height(); ++y)
        for (int x = 0; x < patterned.width(); ++x)
            patterned.setPixel(x, y, qRgb((x * 7 + y * 3) % 256, (x * y) % 256, (x + y * 5) % 256));
    const QByteArray jpeg = testsupport::encode(patterned, "JPG");
    EXPECT_TRUE(worth(jpeg));
    EXPECT_TRUE(worth(jpeg.chopped(2)));
    EXPECT_TRUE(worth(jpeg.left(jpeg.size() * 9 / 10)));
    EXPECT_FALSE(worth(jpeg.left(jpeg.size() / 4)));
    const QByteArray png = testsupport::encode(patterned, "PNG");
    EXPECT_TRUE(worth(png));
    EXPECT_FALSE(worth(png.left(png.size() / 4)));
}

TEST(Picture, AbsurdDimensionsAreAFailedLoadNotACrash)
{
    // A BMP header claiming 60000 x 60000 pixels at 24 bits (10 GB) with no data.
    QByteArray bmp("BM", 2);
    auto le32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) bmp.append(char((v >> (8 * i)) & 0xFF)); };
    auto le16 = [&](uint16_t v) { bmp.append(char(v & 0xFF)).append(char(v >> 8)); };
    le32(54 + 16); le32(0); le32(54);
    le32(40); le32(60000); le32(60000); le16(1); le16(24); le32(0); le32(0); le32(2835); le32(2835); le32(0); le32(0);
    bmp += QByteArray(16, '\0');
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("huge.bmp"));
    ASSERT_TRUE(testsupport::writeFile(path, bmp));
    QImage picture;
    EXPECT_FALSE(loadPagePicture(path, 0, uint32_t(bmp.size()), Bmp, picture));

    // A progressive JPEG is held whole as coefficients until its last scan,
    // however small it is decoded: 30000 x 30000 is refused before decoding,
    // not decoded until its data runs out.
    QByteArray progressive = testsupport::progressiveJpeg(cornerPicture(32, 32));
    const qsizetype frame = progressive.indexOf("\xFF\xC2");
    ASSERT_GT(frame, 0);
    for (int i = 5; i < 9; i += 2) {
        progressive[frame + i] = char(30000 >> 8);
        progressive[frame + i + 1] = char(30000 & 0xFF);
    }
    LoadOptions options;
    bool damaged = true;
    options.fitWithin = QSize(100, 100);
    options.damaged = &damaged;
    EXPECT_FALSE(decodePagePicture(progressive, Jpeg, picture, options));
    EXPECT_FALSE(damaged);

    // Decoding reduced still reads every coefficient: a picture beyond the
    // limit is refused at any size, however little the box asks for.
    QByteArray baseline = testsupport::jpegClaiming(QSize(60000, 60000), 8);
    damaged = true;
    EXPECT_FALSE(decodePagePicture(baseline, Jpeg, picture, options));
    EXPECT_FALSE(damaged);
}

TEST(Thumbnail, BookThumbnailGeometryAndByteOrder)
{
    EXPECT_EQ(bookThumbnailRect(QSize(100, 400)), QRect(55, 0, 50, 200));
    EXPECT_EQ(bookThumbnailRect(QSize(400, 100)), QRect(0, 80, 160, 40));
    EXPECT_EQ(bookThumbnailRect(QSize(160, 200)), QRect(0, 0, 160, 200)); // r = 1.25 exactly

    QImage red(100, 400, QImage::Format_RGB32);
    red.fill(QColor(255, 0, 0));
    std::vector<uint8_t> thumb(kThumbnailBytes, 0x77);
    ASSERT_TRUE(makeBookThumbnail(red, thumb.data()));
    auto px = [&](int x, int y) { return thumb.data() + (y * 160 + x) * 3; };
    EXPECT_EQ(px(54, 10)[2], 0);                        // black border
    EXPECT_EQ(px(55, 0)[0], 0);                         // blue byte first
    EXPECT_EQ(px(55, 0)[2], 255);                       // red byte last
    EXPECT_EQ(px(104, 199)[2], 255);
    EXPECT_EQ(px(105, 199)[2], 0);
    EXPECT_EQ(bookThumbnailImage(thumb.data()).pixelColor(60, 100), QColor(255, 0, 0));
    EXPECT_FALSE(makeBookThumbnail(QImage(), thumb.data()));
}

TEST(Thumbnail, PicturesOfExtremeShapeStillGetBothThumbnails)
{
    // Wider than 160:1 or taller than 200:1: a side would scale to nothing.
    EXPECT_EQ(bookThumbnailRect(QSize(2000, 10)), QRect(0, 99, 160, 1));
    EXPECT_EQ(bookThumbnailRect(QSize(10, 3000)), QRect(79, 0, 1, 200));
    EXPECT_EQ(listThumbnailSize(QSize(3000, 10), QSize(200, 250)), QSize(200, 1));
    EXPECT_EQ(listThumbnailSize(QSize(10, 3000), QSize(200, 250)), QSize(1, 250));

    QImage strip(2000, 10, QImage::Format_RGB32);
    strip.fill(QColor(255, 0, 0));
    std::vector<uint8_t> thumb(kThumbnailBytes);
    ASSERT_TRUE(makeBookThumbnail(strip, thumb.data()));
    EXPECT_EQ(bookThumbnailImage(thumb.data()).pixelColor(80, 99), QColor(255, 0, 0));
    EXPECT_EQ(makeListThumbnail(strip, QSize(200, 250)).size(), QSize(200, 1));
    EXPECT_EQ(makeListThumbnail(strip.transformed(QTransform().rotate(90)), QSize(200, 250)).size(), QSize(1, 250));
}

TEST(PictureHeader, SizeAndFormatAreReadWithoutDecoding)
{
    auto header = [](QByteArray bytes) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        return readPictureHeader(buffer);
    };
    const QImage image = cornerPicture(37, 21);
    const PictureHeader jpeg = header(jpegWithOrientation(image, 6));
    EXPECT_EQ(jpeg.format, PictureFormat::Jpeg);
    EXPECT_EQ(jpeg.size, QSize(37, 21));
    EXPECT_EQ(header(testsupport::jpegClaiming(QSize(20000, 30000), 0)).size, QSize(20000, 30000));
    EXPECT_EQ(header(testsupport::encode(image, "PNG")).size, QSize(37, 21));
    EXPECT_EQ(header(testsupport::encode(image, "PNG")).bitsPerSample, 8);
    EXPECT_EQ(header(testsupport::encode(image.convertToFormat(QImage::Format_RGBX64), "PNG")).bitsPerSample, 16);
    QByteArray bmp = testsupport::encode(image, "BMP");
    EXPECT_EQ(header(bmp).format, PictureFormat::Bmp);
    EXPECT_EQ(header(bmp).size, QSize(37, 21));
    bmp[22] = char(0xEB); // height -21: stored top row first
    bmp[23] = bmp[24] = bmp[25] = char(0xFF);
    EXPECT_EQ(header(bmp).size, QSize(37, 21));
    // No frame header before the scan, no picture, nothing at all.
    EXPECT_FALSE(header(QByteArray("\xFF\xD8\xFF\xDA\0\x02", 6)).size.isValid());
    EXPECT_EQ(header(QByteArray("GIF89a")).format, PictureFormat::Unknown);
    EXPECT_EQ(header(QByteArray()).format, PictureFormat::Unknown);

    EXPECT_TRUE(fitsDecodeLimit(QSize(20000, 20000)));
    EXPECT_FALSE(fitsDecodeLimit(QSize(20000, 21000)));
    EXPECT_FALSE(fitsDecodeLimit(QSize(0, 10)));
    // A BMP header may claim nearly 2^31 x 2^31 pixels: four bytes each would
    // overflow 64 bits.
    EXPECT_FALSE(fitsDecodeLimit(QSize(0x71717171, 0x71717171)));
    EXPECT_FALSE(fitsDecodeLimit(QSize(10, 10), std::numeric_limits<qint64>::max()));
}

TEST(Thumbnail, ListThumbnailFitsTheBox)
{
    const QSize box(200, 250);
    EXPECT_EQ(listThumbnailSize(QSize(1000, 1000), box), QSize(200, 200));
    EXPECT_EQ(listThumbnailSize(QSize(1000, 2000), box), QSize(125, 250));
    EXPECT_EQ(listThumbnailSize(QSize(1000, 1250), box), QSize(200, 250));
    const QImage thumb = makeListThumbnail(cornerPicture(1000, 2000), box);
    EXPECT_EQ(thumb.size(), QSize(125, 250));
    const QImage copy = copyThumbnail(thumb);
    EXPECT_EQ(copy, thumb);
    EXPECT_NE(copy.constBits(), thumb.constBits());
    EXPECT_TRUE(makeListThumbnail(QImage(), box).isNull());
}
