// Page turn timing of the reader. The book is made on first use in
// $VELLORAN_BENCH_DIR (default /tmp/velloran-bench-leafreader): two A4 pages
// scanned at 600 dpi (4960 x 7016 JPEG, kept as page1.jpg and page2.jpg so
// bench/compare-leafreader.sh can time djpeg on the same files), packed as a
// four-page spread book (1, 2, 1, 2), so every turn decodes both files anew.
#include "readerwindow.h"
#include "scannedpage.h"

#include "book/kvbfile.h"
#include "picture/picture.h"

#include <QApplication>
#include <QFile>
#include <QImage>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

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

// A four-page spread book (1, 2, 1, 2), so every turn decodes both files anew.
QString benchBook()
{
    return bench::scanBook(benchDir(), QStringLiteral("spread.kvb"), 4);
}

void BM_PageTurn(benchmark::State &state)
{
    bench::ReaderWindow w;
    if (!w.open(benchBook())) {
        state.SkipWithError("cannot open the bench book");
        return;
    }
    // Turned at once, with no rest: nothing is read ahead in this figure.
    w.view.session().setReadAheadEnabled(false);
    bool forward = true;
    for (auto _ : state) {
        w.view.onCommand(forward ? CmdNextPage : CmdPreviousPage);
        w.view.repaint();
        forward = !forward;
    }
}
BENCHMARK(BM_PageTurn)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();

// Next page to finished paint after resting a second on the spread shown:
// the spread read ahead meanwhile is only drawn.
void BM_PageTurnAfterRest(benchmark::State &state)
{
    bench::ReaderWindow w;
    if (!w.open(bench::scanBook(benchDir(), QStringLiteral("rest.kvb"), 20))) {
        state.SkipWithError("cannot open the bench book");
        return;
    }
    PageSession &session = w.view.session();
    for (auto _ : state) {
        state.PauseTiming();
        if (session.position() >= session.pageCount() - 1)
            w.view.onCommand(CmdFirstPage);
        w.view.repaint();
        bench::rest(1000);
        state.ResumeTiming();
        w.view.onCommand(CmdNextPage);
        w.view.repaint();
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

// A book of `pages` pages, every one the same small scanned-looking page.
QString bookOfPages(int pages)
{
    const QString path = benchDir() + QStringLiteral("/pages%1.kvb").arg(pages);
    if (QFile::exists(path))
        return path;
    const QString pagePath = benchDir() + QStringLiteral("/small.jpg");
    if (!QFile::exists(pagePath))
        bench::scannedPage(3).scaled(827, 1170, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).save(pagePath, "JPG", 60);
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

// The walk of the same 10,000-page book alone: what opening it must do
// beyond opening a 1-page book. Each walk finds the processor's caches as an
// open does, after the last window's picture (8 MB at 1920 x 1080) passed
// through them: walked again and again with nothing between, its 10,000
// record heads and the kernel's entries for their file pages would stay in
// the cache and make the walk twice as fast as it ever is in an open.
void BM_WalkOpenedBook(benchmark::State &state)
{
    const QString path = bookOfPages(10000);
    std::vector<uint32_t> picture(1920 * 1080);
    uint32_t shade = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::fill(picture.begin(), picture.end(), ++shade);
        benchmark::DoNotOptimize(picture.data());
        state.ResumeTiming();
        kvb::PageList pages;
        if (!kvb::KVBFile::readBook(path, nullptr, nullptr, &pages) || pages.size() != 10000) {
            state.SkipWithError("walk failed");
            return;
        }
        benchmark::DoNotOptimize(pages.data());
    }
}
BENCHMARK(BM_WalkOpenedBook)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

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
