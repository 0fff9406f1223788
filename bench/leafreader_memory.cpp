// Peak memory of reading: Leafreader's view at 1920 x 1080 turns 50 spreads of
// a book of 600-dpi A4 scans (4960 x 7016 JPEG), resting a moment on each
// spread as a reader does, and prints the process's peak resident size.
// Usage: bench_leafreader_memory [REST_MS]   (default 300)
#include "leafreaderview.h"
#include "scannedpage.h"

#include "book/kvbfile.h"

#include <QApplication>
#include <QElapsedTimer>

#include <sys/resource.h>

#include <cstdio>

using namespace leafreader;

namespace {

constexpr int kSpreads = 50;

// A spread book of 2 x (kSpreads + 1) pages, the two scans alternating.
QString memoryBook(const QString &dir)
{
    const QString path = dir + QStringLiteral("/spreads%1.kvb").arg(kSpreads);
    if (QFile::exists(path))
        return path;
    kvb::PageList pages;
    for (int i = 0; i < 2 * (kSpreads + 1); ++i) {
        kvb::PageEntry e;
        e.kind = kvb::Jpeg;
        e.sourcePath = bench::scannedPageFile(dir, 1 + i % 2);
        e.size = uint32_t(QFile(e.sourcePath).size());
        pages.push_back(e);
    }
    if (!kvb::KVBFile::writeBook(path, kvb::PageSpread, false, {}, pages))
        return {};
    return path;
}

void rest(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int restMs = argc > 1 ? std::atoi(argv[1]) : 300;
    const QString book = memoryBook(bench::benchDir("/tmp/velloran-bench-leafreader"));
    if (book.isEmpty()) {
        std::fprintf(stderr, "cannot write the bench book\n");
        return 1;
    }
    ReaderSettings settings;
    platform::ScriptedPrompt prompt;
    CLeafreaderView view(settings, prompt);
    view.resize(1920, 1080);
    view.show();
    QApplication::processEvents();
    BookEntry row;
    row.kind = BookEntry::BookFile;
    row.path = book;
    row.page = 1;
    if (!view.openBook(row)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(book));
        return 1;
    }
    view.repaint();
    rest(restMs);
    for (int i = 0; i < kSpreads; ++i) {
        view.onCommand(CmdNextPage);
        view.repaint();
        rest(restMs);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("position %d, peak resident %ld KiB\n", view.session().position(), usage.ru_maxrss);
    return 0;
}
