// Adds a folder of A4 scans (2480 x 3508 JPEG, 300 dpi) to a new document
// through addPages, thumbnails included; and saves a book of those pages over
// itself, as the save command does.
//   bindery_bench --pages=FOLDER [--make=COUNT] [--book=PATH] [benchmark options]
// With --make, the folder is first filled with COUNT scans (kept when present).
// The book (default: FOLDER.kvb) is packed from the folder when it is missing.
//   bindery_bench --book=PATH --save-once
// opens the book and prints how many milliseconds one save over itself took
// (the opening not counted), for a script that times its peer in turns.
#include "core/binderyeditor.h"
#include "scanpages.h"

#include <book/kvbfile.h>
#include <book/pagecollect.h>
#include <platform/prompt.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

QString g_folder;
QString g_book;

// Eight distinct scans, copied round the folder: encoding 300 full pages
// would cost more than the benchmark itself.
void makeScans(int count)
{
    QDir().mkpath(g_folder);
    for (int i = 1; i <= count; ++i) {
        const QString path = g_folder + QStringLiteral("/scan%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
        if (QFileInfo::exists(path))
            continue;
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(benchpages::scanJpeg(i));
    }
}

void BM_AddScannedPages(benchmark::State &state)
{
    const QStringList paths = kvb::folderPictureEntries(g_folder);
    if (paths.isEmpty()) {
        state.SkipWithError("no pages: pass --pages=FOLDER (and --make=COUNT)");
        return;
    }
    for (auto _ : state) {
        platform::ScriptedPrompt prompt;
        bindery::BinderyEditor editor(prompt);
        // The thumbnail box of the main window's page list.
        editor.setThumbnailBox(QSize(120, 151));
        // 0: as many workers as the machine has cores; 1: one worker.
        editor.setThumbnailThreads(int(state.range(0)));
        if (!editor.addPages(paths) || !prompt.texts().isEmpty()) {
            state.SkipWithError("adding failed");
            return;
        }
        benchmark::DoNotOptimize(editor.document().pages.back().thumbnail.width());
    }
    state.counters["pages"] = double(paths.size());
}
BENCHMARK(BM_AddScannedPages)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3)->Arg(0)->Arg(1);

void BM_SaveBookOverItself(benchmark::State &state)
{
    if (!QFileInfo::exists(g_book)) {
        kvb::PageList pages = kvb::collectPages(kvb::folderPictureEntries(g_folder));
        if (pages.empty() || !kvb::KVBFile::writeBook(g_book, 0, true, {}, pages)) {
            state.SkipWithError("cannot pack the book: pass --pages=FOLDER (and --make=COUNT)");
            return;
        }
    }
    // Timed on an idle disk, as its peer is: the scans and the book made
    // just before are written out first.
    ::sync();
    platform::ScriptedPrompt prompt;
    bindery::BinderyEditor editor(prompt);
    if (!editor.openBookFile(g_book)) {
        state.SkipWithError("cannot open the book");
        return;
    }
    for (auto _ : state) {
        if (!editor.save()) {
            state.SkipWithError("saving failed");
            return;
        }
    }
    state.counters["pages"] = double(editor.document().pages.size());
}
BENCHMARK(BM_SaveBookOverItself)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    int make = 0;
    bool saveOnce = false;
    std::vector<char *> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--pages=", 8) == 0)
            g_folder = QString::fromLocal8Bit(argv[i] + 8);
        else if (std::strncmp(argv[i], "--book=", 7) == 0)
            g_book = QString::fromLocal8Bit(argv[i] + 7);
        else if (std::strncmp(argv[i], "--make=", 7) == 0)
            make = std::atoi(argv[i] + 7);
        else if (std::strcmp(argv[i], "--save-once") == 0)
            saveOnce = true;
        else
            rest.push_back(argv[i]);
    }
    if (g_book.isEmpty() && !g_folder.isEmpty())
        g_book = g_folder + QStringLiteral(".kvb");
    if (make > 0 && !g_folder.isEmpty())
        makeScans(make);
    if (saveOnce) {
        platform::ScriptedPrompt prompt;
        bindery::BinderyEditor editor(prompt);
        if (!editor.openBookFile(g_book))
            return 1;
        QElapsedTimer timer;
        timer.start();
        if (!editor.save())
            return 1;
        std::printf("%.1f\n", double(timer.nsecsElapsed()) / 1e6);
        return 0;
    }
    int restCount = int(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
