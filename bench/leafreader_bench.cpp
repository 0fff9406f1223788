// Page turn timing of the reader. The book is made on first use in
// $VELLORAN_BENCH_DIR (default /tmp/velloran-bench-leafreader): two A4 pages
// scanned at 600 dpi (4960 x 7016 JPEG, kept as page1.jpg and page2.jpg so
// bench/compare-leafreader.sh can time djpeg on the same files), packed as a
// four-page spread book (1, 2, 1, 2), so every turn decodes both files anew.
#include "leafreaderview.h"

#include "book/kvbfile.h"
#include "picture/picture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

using namespace leafreader;

namespace {

QString benchDir()
{
    const QString dir = qEnvironmentVariable("VELLORAN_BENCH_DIR", QStringLiteral("/tmp/velloran-bench-leafreader"));
    QDir().mkpath(dir);
    return dir;
}

// A page as a scanner delivers it: paper tone with a little noise, lines of
// dark "text", a picture block with gradients.
QImage scannedPage(int seed)
{
    QImage page(4960, 7016, QImage::Format_RGB32);
    QRandomGenerator random{quint32(seed)};
    for (int y = 0; y < page.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(page.scanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            const int n = int(random.generate() & 7);
            row[x] = qRgb(244 - n, 240 - n, 228 - n);
        }
    }
    QPainter p(&page);
    p.setRenderHint(QPainter::Antialiasing);
    for (int line = 0; line < 140; ++line) {
        const int y = 500 + line * 42;
        if (y > 3300 && y < 5200)
            continue;
        int x = 400;
        while (x < 4500) {
            const int word = 60 + int(random.bounded(260));
            p.fillRect(x, y, std::min(word, 4560 - x), 26, QColor(40, 38, 36));
            x += word + 30;
        }
    }
    QLinearGradient g(600, 3350, 4300, 5150);
    g.setColorAt(0, QColor(30, 90, 160));
    g.setColorAt(1, QColor(200, 120, 40));
    p.fillRect(QRect(600, 3350, 3700, 1800), g);
    p.setBrush(QColor(240, 240, 240, 160));
    p.drawEllipse(QPoint(2400 + seed * 300, 4250), 700, 600);
    return page;
}

QString pageFile(int n)
{
    const QString path = benchDir() + QStringLiteral("/page%1.jpg").arg(n);
    if (!QFile::exists(path))
        scannedPage(n).save(path, "JPG", 90);
    return path;
}

QString benchBook()
{
    const QString path = benchDir() + QStringLiteral("/spread.kvb");
    if (QFile::exists(path))
        return path;
    kvb::PageList pages;
    for (int i = 0; i < 4; ++i) {
        kvb::PageEntry e;
        e.kind = kvb::Jpeg;
        e.sourcePath = pageFile(1 + i % 2);
        e.size = uint32_t(QFile(e.sourcePath).size());
        pages.push_back(e);
    }
    kvb::KVBFile::writeBook(path, kvb::PageSpread, false, {}, pages);
    return path;
}

void BM_PageTurn(benchmark::State &state)
{
    ReaderSettings settings;
    platform::ScriptedPrompt prompt;
    CLeafreaderView view(settings, prompt);
    view.resize(1920, 1080);
    view.show();
    QApplication::processEvents();
    BookEntry row;
    row.kind = BookEntry::BookFile;
    row.path = benchBook();
    row.page = 1;
    if (!view.openBook(row)) {
        state.SkipWithError("cannot open the bench book");
        return;
    }
    view.repaint();
    bool forward = true;
    for (auto _ : state) {
        view.onCommand(forward ? CmdNextPage : CmdPreviousPage);
        view.repaint();
        forward = !forward;
    }
}
BENCHMARK(BM_PageTurn)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();

void BM_FullSizeDecodeBoth(benchmark::State &state)
{
    const QString a = pageFile(1), b = pageFile(2);
    for (auto _ : state) {
        QImage first, second;
        kvb::loadPagePicture(a, 0, uint32_t(QFile(a).size()), kvb::Jpeg, first);
        kvb::loadPagePicture(b, 0, uint32_t(QFile(b).size()), kvb::Jpeg, second);
        benchmark::DoNotOptimize(first.constBits());
        benchmark::DoNotOptimize(second.constBits());
    }
}
BENCHMARK(BM_FullSizeDecodeBoth)->Unit(benchmark::kMillisecond)->UseRealTime();

// A book of `pages` pages, every one the same small scanned-looking page.
QString bookOfPages(int pages)
{
    const QString path = benchDir() + QStringLiteral("/pages%1.kvb").arg(pages);
    if (QFile::exists(path))
        return path;
    const QString pagePath = benchDir() + QStringLiteral("/small.jpg");
    if (!QFile::exists(pagePath))
        scannedPage(3).scaled(827, 1170, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).save(pagePath, "JPG", 60);
    kvb::PageEntry e;
    e.kind = kvb::Jpeg;
    e.sourcePath = pagePath;
    e.size = uint32_t(QFile(pagePath).size());
    kvb::PageList list(size_t(pages), e);
    kvb::KVBFile::writeBook(path, 0, false, {}, list);
    return path;
}

// Opening a book to its first painted page at 1920 x 1080, in a new window
// each time; a 1-page and a 10,000-page book of the same page.
void BM_OpenToFirstPaint(benchmark::State &state)
{
    BookEntry row;
    row.kind = BookEntry::BookFile;
    row.path = bookOfPages(int(state.range(0)));
    row.page = 1;
    ReaderSettings settings;
    for (auto _ : state) {
        platform::ScriptedPrompt prompt;
        CLeafreaderView view(settings, prompt);
        view.resize(1920, 1080);
        view.show();
        if (!view.openBook(row)) {
            state.SkipWithError("cannot open the bench book");
            return;
        }
        view.repaint();
    }
}
BENCHMARK(BM_OpenToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0)->Arg(1)->Arg(10000);

// One page decoded for a half of the 1920 x 1080 window, on this thread.
void BM_DecodeOneForSlot(benchmark::State &state)
{
    QFile file(pageFile(1));
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    for (auto _ : state) {
        QByteArray copy = bytes;
        QImage page;
        kvb::LoadOptions options;
        options.fitWithin = QSize(952, 1080);
        kvb::decodePagePicture(copy, kvb::Jpeg, page, options);
        benchmark::DoNotOptimize(page.constBits());
    }
}
BENCHMARK(BM_DecodeOneForSlot)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
