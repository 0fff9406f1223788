// Book library benchmarks. The files they work on are made on first use in
// $VELLORAN_BENCH_DIR (default /tmp/velloran-bench-common) and kept there, so
// bench/compare.sh can time a peer program on the very same files.
#include "book/coverpicture.h"
#include "book/kvbfile.h"
#include "picture/picture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

using namespace kvb;

namespace {

QString benchDir()
{
    const QString dir = qEnvironmentVariable("VELLORAN_BENCH_DIR", QStringLiteral("/tmp/velloran-bench-common"));
    QDir().mkpath(dir);
    return dir;
}

// A book of 10,000 small pages, each a few hundred bytes.
QString tenThousandPageBook()
{
    const QString path = benchDir() + QStringLiteral("/pages10000.kvb");
    if (QFile::exists(path))
        return path;
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    const int pages = 10000;
    const char head[8] = {0x05, 'K', 'V', 'B', char(pages & 0xFF), char(pages >> 8), 0, 0};
    f.write(head, 8);
    const QByteArray data(300, 'x');
    for (int i = 0; i < pages; ++i) {
        const char rec[5] = {char(0x80), char(data.size() & 0xFF), char(data.size() >> 8), 0, 0};
        f.write(rec, 5);
        f.write(data);
    }
    return path;
}

// A 6000 x 4000 photograph-like JPEG (gradients and detail, quality 90).
QString largeJpeg()
{
    const QString path = benchDir() + QStringLiteral("/photo6000x4000.jpg");
    if (QFile::exists(path))
        return path;
    QImage image(6000, 4000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = qRgb((x * 255 / 6000) ^ (y & 31), (y * 255 / 4000) ^ (x & 15), ((x + y) / 40) & 255);
    }
    image.save(path, "JPG", 90);
    return path;
}

// 1000 small books of two JPEG pages each (a 600 x 800 page), in
// $VELLORAN_BENCH_DIR/verify, for timing kvbtool verify beside cat.
QString thousandBooks()
{
    const QString dir = benchDir() + QStringLiteral("/verify");
    const QString last = dir + QStringLiteral("/book1000.kvb");
    if (QFile::exists(last))
        return dir;
    QDir().mkpath(dir);
    PageList pages(2);
    for (int i = 0; i < 2; ++i) {
        QImage page(600, 800, QImage::Format_RGB32);
        page.fill(QColor(242, 238, 226));
        QPainter p(&page);
        for (int line = 0; line < 30; ++line)
            p.fillRect(60 + (line * 37 + i * 50) % 90, 60 + line * 22, 380 + (line * 53) % 100, 10, QColor(40, 38, 36));
        const QString path = dir + QStringLiteral("/page%1.jpg").arg(i);
        page.save(path, "JPG", 80);
        pages[size_t(i)].kind = Jpeg;
        pages[size_t(i)].sourcePath = path;
        pages[size_t(i)].size = uint32_t(QFile(path).size());
    }
    const QString model = dir + QStringLiteral("/model.tmp");
    if (!KVBFile::writeBook(model, 0, false, {}, pages))
        return {};
    for (int i = 1; i <= 1000; ++i)
        QFile::copy(model, dir + QStringLiteral("/book%1.kvb").arg(i, 4, 10, QLatin1Char('0')));
    QFile::remove(model);
    return dir;
}

// Walking each of the 1000 small books to its page list.
void BM_WalkThousandBooks(benchmark::State &state)
{
    const QString dir = thousandBooks();
    if (dir.isEmpty()) {
        state.SkipWithError("cannot write the books");
        return;
    }
    for (auto _ : state) {
        for (int i = 1; i <= 1000; ++i) {
            PageList pages;
            if (!KVBFile::readBook(dir + QStringLiteral("/book%1.kvb").arg(i, 4, 10, QLatin1Char('0')), nullptr,
                                   nullptr, &pages))
                state.SkipWithError("walk failed");
            benchmark::DoNotOptimize(pages.data());
        }
    }
}
BENCHMARK(BM_WalkThousandBooks)->Unit(benchmark::kMillisecond);

void BM_WalkBook10000Pages(benchmark::State &state)
{
    const QString path = tenThousandPageBook();
    for (auto _ : state) {
        PageList pages;
        pages.reserve(10000);
        if (!KVBFile::readBook(path, nullptr, nullptr, &pages) || pages.size() != 10000)
            state.SkipWithError("walk failed");
        benchmark::DoNotOptimize(pages.data());
    }
    state.counters["us_per_page"] = benchmark::Counter(
        double(state.iterations()) * 10000, benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
        benchmark::Counter::kIs1000);
}
BENCHMARK(BM_WalkBook10000Pages)->Unit(benchmark::kMillisecond);

void BM_LoadPagePicture6000x4000(benchmark::State &state)
{
    const QString path = largeJpeg();
    const auto size = uint32_t(QFile(path).size());
    for (auto _ : state) {
        QImage picture;
        if (!loadPagePicture(path, 0, size, Jpeg, picture))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_LoadPagePicture6000x4000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// An A4 page scanned at 600 dpi (4960 x 7016): paper, lines of "text" and a
// picture block, JPEG quality 85; and a book holding it as its first page,
// without a stored thumbnail (the file manager's slow case).
QString scan600dpiJpeg()
{
    const QString path = benchDir() + QStringLiteral("/scan600dpi.jpg");
    if (QFile::exists(path))
        return path;
    QImage page(4960, 7016, QImage::Format_RGB32);
    page.fill(QColor(246, 243, 236));
    QPainter p(&page);
    for (int line = 0; line < 140; ++line)
        p.fillRect(QRect(480, 1000 + line * 40, 3400 + (line * 37) % 600, 24), QColor(50, 50, 50));
    p.end();
    for (int y = 200; y < 900; ++y) {
        auto *row = reinterpret_cast<QRgb *>(page.scanLine(y));
        for (int x = 480; x < 4480; ++x)
            row[x] = qRgb((x / 16) & 255, (y * 3) & 255, ((x ^ y) >> 2) & 255);
    }
    page.save(path, "JPG", 85);
    return path;
}

QString scan600dpiBook()
{
    const QString path = benchDir() + QStringLiteral("/scan600dpi.kvb");
    if (QFile::exists(path))
        return path;
    PageEntry first;
    first.kind = Jpeg;
    first.sourcePath = scan600dpiJpeg();
    first.size = uint32_t(QFile(first.sourcePath).size());
    PageList pages{first};
    KVBFile::writeBook(path, 0, false, {}, pages);
    return path;
}

// The thumbnailer's work in-process: the whole book walked, the first page
// decoded at reduced size and fitted to 256 x 256.
void BM_BookCoverPicture600dpi(benchmark::State &state)
{
    const QString book = scan600dpiBook();
    for (auto _ : state) {
        QImage picture;
        if (!bookCoverPicture(book, 256, picture))
            state.SkipWithError("no cover picture");
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_BookCoverPicture600dpi)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

BENCHMARK_MAIN();
