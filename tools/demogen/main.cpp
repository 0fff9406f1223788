// Draws the pages of the demo library and packs them into books with kvbtool.
// Everything is generated here: numbered pages, covers, a two-page spread, a
// portrait JPEG stored sideways with an Exif orientation, a PNG and a BMP;
// beside the books a folder of loose scans that are not bound yet; a folder
// "PDF" with two small PDFs whose pages are JPEGs, for Harvester; and a page
// with vertical stripes for Retouch.
#include "pdfwriter.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kPageW = 1240; // A4 at 150 dpi
constexpr int kPageH = 1754;

QFont font(int pixelSize, bool bold = false)
{
    QFont f(QStringList{QStringLiteral("Noto Sans CJK JP"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void drawText(QPainter &p, const QRect &r, const QString &text, int size, const QColor &colour,
              int flags = Qt::AlignCenter, bool bold = false)
{
    p.setFont(font(size, bold));
    p.setPen(colour);
    p.drawText(r, flags | Qt::TextWordWrap, text);
}

QImage numberedPage(int number, const QString &book, const QColor &accent)
{
    QImage page(kPageW, kPageH, QImage::Format_RGB32);
    page.fill(QColor(250, 247, 238));
    QPainter p(&page);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(accent, 6));
    p.drawRect(60, 60, kPageW - 120, kPageH - 120);
    drawText(p, QRect(0, 120, kPageW, 80), book, 40, QColor(90, 90, 90));
    // Lines of "text" so that a page looks like a page at thumbnail size.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(170, 170, 170));
    for (int line = 0; line < 30; ++line) {
        const int w = 900 - ((line * 37 + number * 11) % 5) * 60;
        p.drawRoundedRect(160, 300 + line * 40, w, 14, 7, 7);
    }
    drawText(p, QRect(0, kPageH - 420, kPageW, 260), QString::number(number), 220, accent,
             Qt::AlignCenter, true);
    drawText(p, QRect(0, kPageH - 140, kPageW, 50), QStringLiteral("- %1 -").arg(number), 32,
             QColor(60, 60, 60));
    return page;
}

QImage coverPage(const QString &title, const QString &subtitle, const QColor &a, const QColor &b)
{
    QImage page(kPageW, kPageH, QImage::Format_RGB32);
    QPainter p(&page);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, kPageW, kPageH);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    p.fillRect(page.rect(), g);
    p.setBrush(QColor(255, 255, 255, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPoint(kPageW * 3 / 4, kPageH / 3), 380, 380);
    drawText(p, QRect(80, 420, kPageW - 160, 400), title, 110, Qt::white, Qt::AlignCenter, true);
    drawText(p, QRect(80, 860, kPageW - 160, 200), subtitle, 48, QColor(255, 255, 240));
    return page;
}

// One picture across two pages; returns the left and the right half.
std::pair<QImage, QImage> spreadPages()
{
    QImage wide(2 * kPageW, kPageH, QImage::Format_RGB32);
    QPainter p(&wide);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kPageH);
    sky.setColorAt(0, QColor(40, 90, 160));
    sky.setColorAt(0.6, QColor(250, 190, 120));
    sky.setColorAt(1, QColor(30, 60, 90));
    p.fillRect(wide.rect(), sky);
    p.setBrush(QColor(255, 230, 150));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPoint(kPageW, kPageH * 3 / 5), 260, 260);
    p.setBrush(QColor(20, 40, 60));
    QPolygon hills;
    hills << QPoint(0, kPageH);
    for (int x = 0; x <= 2 * kPageW; x += 80)
        hills << QPoint(x, kPageH * 7 / 10 + int(90 * std::sin(x / 260.0)));
    hills << QPoint(2 * kPageW, kPageH);
    p.drawPolygon(hills);
    drawText(p, QRect(0, 140, 2 * kPageW, 160), QStringLiteral("見開き — A two-page spread"), 96,
             Qt::white, Qt::AlignCenter, true);
    p.end();
    return {wide.copy(0, 0, kPageW, kPageH), wide.copy(kPageW, 0, kPageW, kPageH)};
}

// A JPEG whose pixels are stored turned a quarter counter-clockwise, with an
// Exif orientation of 6 so that readers show it upright.
QByteArray sidewaysJpeg(const QImage &upright)
{
    const QImage stored = upright.transformed(QTransform().rotate(-90));
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        stored.save(&buffer, "JPG", 90);
    }
    QByteArray tiff("MM\0\x2a\0\0\0\x08", 8);
    tiff += QByteArray("\0\x01", 2);                         // one entry
    tiff += QByteArray("\x01\x12\0\x03\0\0\0\x01\0\x06\0\0", 12); // Orientation = 6
    tiff += QByteArray(4, '\0');
    QByteArray segment = QByteArray("Exif\0\0", 6) + tiff;
    const int length = int(segment.size()) + 2;
    QByteArray app1;
    app1.append(char(0xFF)).append(char(0xE1)).append(char(length >> 8)).append(char(length & 0xFF));
    return jpeg.left(2) + app1 + segment + jpeg.mid(2);
}

// A page as a scanner with a dirty sensor returns it: the same columns are
// darker, lighter or tinted from top to bottom (Retouch's demo picture).
QImage stripedPage(const QImage &page)
{
    QImage striped = page.convertToFormat(QImage::Format_RGB32);
    struct Stripe {
        int x;
        double red, green, blue; // factors on each channel
    };
    const Stripe stripes[] = {{181, 0.90, 0.90, 0.90}, {182, 0.94, 0.94, 0.94}, {433, 1.06, 1.06, 1.06},
                              {618, 0.97, 1.0, 1.0},   {877, 0.88, 0.88, 0.88}, {1003, 1.0, 1.0, 0.92},
                              {1004, 1.0, 1.0, 0.95}};
    for (int y = 0; y < striped.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(striped.scanLine(y));
        for (const Stripe &s : stripes) {
            const QRgb p = line[s.x];
            auto scaled = [](int v, double f) { return std::clamp(int(v * f + 0.5), 0, 255); };
            line[s.x] = qRgb(scaled(qRed(p), s.red), scaled(qGreen(p), s.green), scaled(qBlue(p), s.blue));
        }
    }
    return striped;
}

bool save(const QImage &image, const QString &path, const char *format)
{
    if (!image.save(path, format, 88)) {
        std::fprintf(stderr, "demogen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool pack(const QString &kvbtool, const QStringList &options, const QString &book,
          const QStringList &inputs)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(kvbtool, QStringList{QStringLiteral("pack")} + options + QStringList{book} + inputs);
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        std::fprintf(stderr, "demogen: packing %s failed\n", qPrintable(book));
        return false;
    }
    return true;
}

QByteArray jpegBytes(const QImage &image)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 85);
    return jpeg;
}

// A PDF whose pages are the given pictures as embedded JPEGs.
bool jpegPdf(const QString &path, const std::vector<QImage> &pages)
{
    std::vector<pdfwriter::PdfPicture> pictures;
    for (const QImage &page : pages) {
        const auto picture = pdfwriter::jpegPicture(jpegBytes(page));
        if (!picture)
            return false;
        pictures.push_back(*picture);
    }
    if (!pdfwriter::writePdf(path, pictures)) {
        std::fprintf(stderr, "demogen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// Two small PDFs for trying Harvester's "PDF to book" at once.
bool writeDemoPdfs(const QDir &folder)
{
    if (!QDir().mkpath(folder.path()))
        return false;
    const QSize small(620, 877);
    const QColor plum(120, 60, 130);
    std::vector<QImage> first{coverPage(QStringLiteral("PDF Sample"), QStringLiteral("Four JPEG pages"), plum,
                                        QColor(40, 20, 50))
                                  .scaled(small, Qt::KeepAspectRatio, Qt::SmoothTransformation)};
    for (int n = 1; n <= 3; ++n)
        first.push_back(numberedPage(n, QStringLiteral("PDF Sample"), plum)
                            .scaled(small, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    const QColor teal(30, 120, 120);
    std::vector<QImage> second;
    for (int n = 1; n <= 3; ++n)
        second.push_back(numberedPage(n, QStringLiteral("Spring issue"), teal)
                             .scaled(small, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return jpegPdf(folder.filePath(QStringLiteral("PDF Sample.pdf")), first)
           && jpegPdf(folder.filePath(QStringLiteral("20240315 Spring issue.pdf")), second);
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("kvbtool"), QStringLiteral("kvbtool program"), QStringLiteral("path")});
    parser.addOption({QStringLiteral("pages"), QStringLiteral("folder for the page images"), QStringLiteral("dir")});
    parser.addOption({QStringLiteral("library"), QStringLiteral("folder for the books"), QStringLiteral("dir")});
    parser.process(app);
    const QString kvbtool = parser.value(QStringLiteral("kvbtool"));
    const QDir pages(parser.value(QStringLiteral("pages")));
    const QDir library(parser.value(QStringLiteral("library")));
    if (kvbtool.isEmpty() || pages.path().isEmpty() || library.path().isEmpty()) {
        std::fprintf(stderr, "usage: demogen --kvbtool PATH --pages DIR --library DIR\n");
        return 2;
    }
    for (const QDir &dir : {pages, library}) {
        if (!QDir().mkpath(dir.path())) {
            std::fprintf(stderr, "demogen: cannot create %s\n", qPrintable(dir.path()));
            return 1;
        }
    }

    // Book 1: cover, right binding, spread; a two-page picture in the middle.
    const QDir harbour(pages.filePath(QStringLiteral("harbour")));
    QDir().mkpath(harbour.path());
    const QColor blue(40, 90, 160);
    bool ok = save(coverPage(QStringLiteral("港の記録"), QStringLiteral("Harbour Notes"), blue,
                             QColor(20, 30, 60)),
                   harbour.filePath(QStringLiteral("p00.jpg")), "JPG");
    const auto [left, right] = spreadPages();
    for (int n = 1; n <= 11 && ok; ++n) {
        QImage page = numberedPage(n, QStringLiteral("港の記録"), blue);
        // In a right-bound book the right half of a spread comes first;
        // after the cover page, pages 4 and 5 of the book face each other
        // (files p03 and p04).
        if (n == 3)
            page = right;
        if (n == 4)
            page = left;
        ok = save(page, harbour.filePath(QString::asprintf("p%02d.jpg", n)), "JPG");
    }

    // Book 2: left binding, single pages, a sideways JPEG with Exif 6, a PNG, a BMP.
    const QDir mixed(pages.filePath(QStringLiteral("mixed")));
    QDir().mkpath(mixed.path());
    const QColor green(40, 130, 80);
    ok = ok && save(coverPage(QStringLiteral("Mixed Formats"), QStringLiteral("JPEG, PNG, BMP and Exif"),
                              green, QColor(10, 50, 30)),
                    mixed.filePath(QStringLiteral("a1.jpg")), "JPG");
    {
        QFile f(mixed.filePath(QStringLiteral("a2.jpg")));
        ok = ok && f.open(QIODevice::WriteOnly)
             && f.write(sidewaysJpeg(numberedPage(2, QStringLiteral("Exif orientation 6"), green))) > 0;
    }
    ok = ok && save(numberedPage(3, QStringLiteral("PNG page"), green), mixed.filePath(QStringLiteral("a3.png")), "PNG");
    ok = ok && save(numberedPage(4, QStringLiteral("BMP page"), green).scaled(620, 877, Qt::KeepAspectRatio, Qt::SmoothTransformation),
                    mixed.filePath(QStringLiteral("a4.bmp")), "BMP");
    for (int n = 5; n <= 6 && ok; ++n)
        ok = save(numberedPage(n, QStringLiteral("Mixed Formats"), green),
                  mixed.filePath(QString::asprintf("a%d.jpg", n)), "JPG");

    // Book 3: left binding, spread without a cover, no thumbnail.
    const QDir sketch(pages.filePath(QStringLiteral("sketch")));
    QDir().mkpath(sketch.path());
    const QColor red(170, 60, 50);
    for (int n = 1; n <= 8 && ok; ++n)
        ok = save(numberedPage(n, QStringLiteral("Sketchbook"), red), sketch.filePath(QString::asprintf("s%d.jpg", n)), "JPG");
    // Loose scans not yet bound, for Glancer: a cover, numbered pages, a
    // two-page picture, a sideways JPEG with Exif 6 and a PNG.
    const QDir scans(library.filePath(QStringLiteral("Unbound scans")));
    QDir().mkpath(scans.path());
    const QColor teal(30, 120, 130);
    ok = ok && save(coverPage(QStringLiteral("庭の日記"), QStringLiteral("Garden Diary (unbound)"), teal,
                              QColor(10, 40, 50)),
                    scans.filePath(QStringLiteral("scan001.jpg")), "JPG");
    for (int n = 2; n <= 9 && ok; ++n) {
        const QString name = QString::asprintf("scan%03d", n);
        if (n == 4 || n == 5) {
            ok = save(n == 4 ? right : left, scans.filePath(name + QStringLiteral(".jpg")), "JPG");
        } else if (n == 6) {
            QFile f(scans.filePath(name + QStringLiteral(".jpg")));
            ok = f.open(QIODevice::WriteOnly)
                 && f.write(sidewaysJpeg(numberedPage(n, QStringLiteral("Exif orientation 6"), teal))) > 0;
        } else {
            ok = save(numberedPage(n, QStringLiteral("庭の日記"), teal),
                      scans.filePath(name + (n == 8 ? QStringLiteral(".png") : QStringLiteral(".jpg"))),
                      n == 8 ? "PNG" : "JPG");
        }
    }

    // Retouch's demo: a page with stripes, kept lossless so every stripe is
    // one column wide.
    const QDir retouch(pages.filePath(QStringLiteral("retouch")));
    QDir().mkpath(retouch.path());
    ok = ok && save(stripedPage(coverPage(QStringLiteral("縦筋の見本"), QStringLiteral("Stripes to remove"),
                                          QColor(120, 140, 170), QColor(230, 225, 210))),
                    retouch.filePath(QStringLiteral("striped.png")), "PNG");
    if (!ok)
        return 1;

    auto book = [&](const char *name) { return library.filePath(QString::fromUtf8(name)); };
    ok = pack(kvbtool,
              {"--cover", "--bind-right", "--spread", "--thumbnail", "--title", "港の記録",
               "--subtitle", "Harbour Notes", "--author", "Velloran Demo", "--author", "Second Author",
               "--publisher", "Demo Press", "--date", "2024-03-05", "--item", "Series=Demo"},
              book("Demo 01 - Harbour Notes.kvb"), {harbour.path()});
    ok = ok && pack(kvbtool,
                    {"--cover", "--thumbnail", "--title", "Mixed Formats", "--circle", "Demo Circle",
                     "--date", "2023-11"},
                    book("Demo 02 - Mixed Formats.kvb"), {mixed.path()});
    ok = ok && pack(kvbtool, {"--spread", "--title", "Sketchbook", "--date", "2022"},
                    book("Demo 03 - Sketchbook.kvb"), {sketch.path()});
    ok = ok && writeDemoPdfs(QDir(library.filePath(QStringLiteral("PDF"))));
    return ok ? 0 : 1;
}
