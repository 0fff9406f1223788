// Page turn timing of the reader. The book is made on first use in
// $VELLORAN_BENCH_DIR (default /tmp/velloran-bench-leafreader): two A4 pages
// scanned at 600 dpi (4960 x 7016 JPEG, kept as page1.jpg and page2.jpg so
// bench/compare-leafreader.sh can time djpeg on the same files), packed as a
// four-page spread book (1, 2, 1, 2), so every turn decodes both files anew.
#include "leafreaderview.h"
#include "scannedpage.h"

#include "book/kvbfile.h"
#include "picture/picture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>

#include <benchmark/benchmark.h>

using namespace leafreader;

namespace {

QString benchDir()
{
    return bench::benchDir("/tmp/velloran-bench-leafreader");
}

QString pageFile(int n)
{
    return bench::scannedPageFile(benchDir(), n);
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
    // Turned at once, with no rest: nothing is read ahead in this figure.
    view.session().setReadAheadEnabled(false);
    bool forward = true;
    for (auto _ : state) {
        view.onCommand(forward ? CmdNextPage : CmdPreviousPage);
        view.repaint();
        forward = !forward;
    }
}
BENCHMARK(BM_PageTurn)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();

// A 20-page spread book of the two scans in turn, for turning after a rest.
QString restBook()
{
    const QString path = benchDir() + QStringLiteral("/rest.kvb");
    if (QFile::exists(path))
        return path;
    kvb::PageList pages;
    for (int i = 0; i < 20; ++i) {
        kvb::PageEntry e;
        e.kind = kvb::Jpeg;
        e.sourcePath = pageFile(1 + i % 2);
        e.size = uint32_t(QFile(e.sourcePath).size());
        pages.push_back(e);
    }
    kvb::KVBFile::writeBook(path, kvb::PageSpread, false, {}, pages);
    return path;
}

// Next page to finished paint after resting a second on the spread shown:
// the spread read ahead meanwhile is only drawn.
void BM_PageTurnAfterRest(benchmark::State &state)
{
    ReaderSettings settings;
    platform::ScriptedPrompt prompt;
    CLeafreaderView view(settings, prompt);
    view.resize(1920, 1080);
    view.show();
    QApplication::processEvents();
    BookEntry row;
    row.kind = BookEntry::BookFile;
    row.path = restBook();
    row.page = 1;
    if (!view.openBook(row)) {
        state.SkipWithError("cannot open the bench book");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        if (view.session().position() >= view.session().pageCount() - 1)
            view.onCommand(CmdFirstPage);
        view.repaint();
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 1000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        state.ResumeTiming();
        view.onCommand(CmdNextPage);
        view.repaint();
    }
}
BENCHMARK(BM_PageTurnAfterRest)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

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
