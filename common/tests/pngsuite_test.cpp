// The PNG conformance suite (outside test files): every good picture must
// decode as libpng itself reads it, its BMP form likewise, and every broken
// one must be a failed load.
//
// "As libpng reads it" means libpng's whole-picture read (png_read_png) with
// its own expansion to 8-bit red, green, blue and alpha: palettes and grey
// levels below 8 bits expanded, a transparent colour turned into alpha,
// 16-bit samples scaled to 8 bits, and no gamma correction (pages have always
// been shown with their samples as stored). Transparent parts have no colour
// of their own on a page: the reader draws every page over white paper, so
// both pictures are compared as they look drawn over white, and their alpha
// must agree too.
#include "picture/picture.h"
#include "testsupport.h"

#include <QDir>
#include <QPainter>

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>

#include <png.h>

using namespace kvb;

namespace {

const QString kSuite = QStringLiteral(VELLORAN_SOURCE_DIR "/../shared/testdata/pngsuite");

QImage libpngRead(const QString &path)
{
    FILE *file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!file)
        return {};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    QImage image;
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_read_png(png, info, PNG_TRANSFORM_EXPAND | PNG_TRANSFORM_SCALE_16 | PNG_TRANSFORM_GRAY_TO_RGB,
                     nullptr);
        const int width = int(png_get_image_width(png, info));
        const int height = int(png_get_image_height(png, info));
        const int channels = png_get_channels(png, info);
        png_bytepp rows = png_get_rows(png, info);
        image = QImage(width, height, QImage::Format_ARGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const png_bytep p = rows[y] + x * channels;
                image.setPixel(x, y, qRgba(p[0], p[1], p[2], channels == 4 ? p[3] : 255));
            }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return image;
}

QImage overWhite(const QImage &picture)
{
    QImage page(picture.size(), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.drawImage(0, 0, picture);
    return page;
}

// The largest difference of a channel, drawn over white, and whether the
// alpha values agree.
struct Difference {
    int colour = 0;
    bool alphaAgrees = true;
};

Difference compare(const QImage &decoded, const QImage &reference)
{
    Difference d;
    const QImage a = overWhite(decoded), b = overWhite(reference);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            d.colour = std::max({d.colour, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                 std::abs(qBlue(p) - qBlue(q))});
            if (qAlpha(decoded.pixel(x, y)) != qAlpha(reference.pixel(x, y)))
                d.alphaAgrees = false;
        }
    return d;
}

QImage load(const QString &path, uint8_t kind)
{
    QByteArray bytes = testsupport::readFile(path);
    QImage picture;
    if (!decodePagePicture(bytes, kind, picture))
        return {};
    return picture;
}

QStringList suiteFiles(const QString &folder)
{
    return QDir(kSuite + u'/' + folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

#define SKIP_WITHOUT_SUITE()                                                                          \
    if (!QDir(kSuite).exists())                                                                      \
        GTEST_SKIP() << "the PNG conformance suite is not at " << kSuite.toStdString()             \
                     << " (outside test files, not part of the project)";

TEST(PngSuite, GoodPicturesDecodeAsLibpngReadsThem)
{
    SKIP_WITHOUT_SUITE();
    int checked = 0;
    for (const QString &name : suiteFiles(QStringLiteral("png"))) {
        if (name.startsWith(u'x'))
            continue;
        const QString path = kSuite + QStringLiteral("/png/") + name;
        const QImage reference = libpngRead(path);
        ASSERT_FALSE(reference.isNull()) << name.toStdString();
        const QImage decoded = load(path, Png);
        ASSERT_EQ(decoded.size(), reference.size()) << name.toStdString();
        const Difference d = compare(decoded, reference);
        EXPECT_EQ(d.colour, 0) << name.toStdString();
        EXPECT_TRUE(d.alphaAgrees) << name.toStdString();
        ++checked;
    }
    EXPECT_GE(checked, 150);
}

TEST(PngSuite, BmpFormsDecodeAsTheirPngs)
{
    SKIP_WITHOUT_SUITE();
    int checked = 0;
    for (const QString &name : suiteFiles(QStringLiteral("bmp"))) {
        const QString stem = name.chopped(4);
        const QImage reference = libpngRead(kSuite + QStringLiteral("/png/") + stem + QStringLiteral(".png"));
        ASSERT_FALSE(reference.isNull()) << name.toStdString();
        const QImage decoded = load(kSuite + QStringLiteral("/bmp/") + name, Bmp);
        ASSERT_EQ(decoded.size(), reference.size()) << name.toStdString();
        // The BMP forms of 16-bit pictures were brought to 8 bits by another
        // rule than libpng's rounding: they may differ by one.
        const int allowed = stem.endsWith(QLatin1String("16")) ? 1 : 0;
        EXPECT_LE(compare(decoded, reference).colour, allowed) << name.toStdString();
        ++checked;
    }
    EXPECT_GE(checked, 150);
}

TEST(PngSuite, BrokenFilesAreFailedLoads)
{
    SKIP_WITHOUT_SUITE();
    int checked = 0;
    for (const QString &name : suiteFiles(QStringLiteral("png"))) {
        if (!name.startsWith(u'x'))
            continue;
        for (uint8_t kind : {Png, Jpeg, Bmp})
            EXPECT_TRUE(load(kSuite + QStringLiteral("/png/") + name, kind).isNull()) << name.toStdString();
        ++checked;
    }
    EXPECT_GE(checked, 10);
}
