// Book library benchmarks. The files they work on are made on first use in
// $VELLORAN_BENCH_DIR (default /tmp/velloran-bench-common) and kept there, so
// bench/compare.sh can time a peer program on the very same files.
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

} // namespace

BENCHMARK_MAIN();
