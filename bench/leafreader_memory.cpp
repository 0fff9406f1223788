// Peak memory of reading: Leafreader's view at 1920 x 1080 turns 50 spreads of
// a book of 600-dpi A4 scans (4960 x 7016 JPEG), resting a moment on each
// spread as a reader does, and prints the process's peak resident size.
// Usage: bench_leafreader_memory [--no-read-ahead] [REST_MS]   (default 300).
// --no-read-ahead gives the figure of the view that decodes on each turn only,
// for comparison. The first run also draws the scans, which takes more memory
// than reading: run it twice.
#include "readerwindow.h"
#include "scannedpage.h"

#include <QApplication>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>

using namespace leafreader;

namespace {

constexpr int kSpreads = 50;

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bool readAhead = true;
    int restMs = 300;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-read-ahead") == 0)
            readAhead = false;
        else
            restMs = std::atoi(argv[i]);
    }
    const QString book = bench::scanBook(bench::benchDir("/tmp/velloran-bench-leafreader"),
                                         QStringLiteral("spreads%1.kvb").arg(kSpreads), 2 * (kSpreads + 1));
    if (book.isEmpty()) {
        std::fprintf(stderr, "cannot write the bench book\n");
        return 1;
    }
    bench::ReaderWindow w;
    w.view.session().setReadAheadEnabled(readAhead);
    if (!w.open(book)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(book));
        return 1;
    }
    bench::rest(restMs);
    for (int i = 0; i < kSpreads; ++i) {
        w.view.onCommand(CmdNextPage);
        w.view.repaint();
        bench::rest(restMs);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("position %d, reading ahead %s, peak resident %ld KiB\n", w.view.session().position(),
                readAhead ? "on" : "off", usage.ru_maxrss);
    return 0;
}
