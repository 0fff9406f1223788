#include "picture/picture.h"
#include "testsupport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    // Stored corners clockwise from top-left: R G W B.
    const QImage stored = cornerPicture(64, 48);
    struct Case {
        int orientation;
        QSize size;
        const char *corners;
    } cases[] = {
        {1, {64, 48}, "RGWB"}, {2, {64, 48}, "GRBW"}, {3, {64, 48}, "WBRG"}, {4, {64, 48}, "BWGR"},
        {5, {48, 64}, "RBWG"}, {6, {48, 64}, "BRGW"}, {7, {48, 64}, "WGRB"}, {8, {48, 64}, "GWBR"},
        {9, {64, 48}, "RGWB"},
    };
    for (const Case &c : cases) {
        const QString path = dir.filePath(QStringLiteral("o%1.jpg").arg(c.orientation));
        ASSERT_TRUE(testsupport::writeFile(path, jpegWithOrientation(stored, c.orientation, c.orientation % 2)));
        QImage picture;
        ASSERT_TRUE(loadPagePicture(path, 0, uint32_t(QFileInfo(path).size()), Jpeg, picture)) << c.orientation;
        EXPECT_EQ(picture.size(), c.size) << c.orientation;
        EXPECT_EQ(corners(picture), QString::fromLatin1(c.corners)) << c.orientation;
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
