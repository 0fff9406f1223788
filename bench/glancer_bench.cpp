// Glancer's timings at 1920 x 1080. The files are made on first use in
// $VELLORAN_BENCH_DIR (default /tmp/velloran-bench-glancer) and kept, so
// bench/compare-glancer.sh can time djpeg and ls on the very same files:
//  - scans/: two 600-dpi A4 scans (page1.jpg, page2.jpg: a layout 3 spread)
//  - run/: 40 pages, the two scans linked in turn, for turning after a rest
//  - list/: 2000 small images
#include "glancerview.h"
#include "scannedpage.h"

#include "core/glancercommands.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace glancer;

namespace {

QString benchDir()
{
    return bench::benchDir("/tmp/velloran-bench-glancer");
}

QString scans()
{
    const QString dir = benchDir() + QStringLiteral("/scans");
    QDir().mkpath(dir);
    bench::scannedPageFile(dir, 1);
    bench::scannedPageFile(dir, 2);
    return dir;
}

QString runFolder()
{
    const QString dir = benchDir() + QStringLiteral("/run");
    if (QDir(dir).exists())
        return dir;
    QDir().mkpath(dir);
    const QString from = scans();
    for (int i = 1; i <= 40; ++i)
        QFile::link(from + QStringLiteral("/page%1.jpg").arg(1 + (i + 1) % 2),
                    dir + QStringLiteral("/p%1.jpg").arg(i, 2, 10, QChar(u'0')));
    return dir;
}

QString listFolder2000()
{
    const QString dir = benchDir() + QStringLiteral("/list");
    if (QDir(dir).exists())
        return dir;
    QDir().mkpath(dir);
    const QByteArray bytes(1500, 'j');
    for (int i = 0; i < 2000; ++i) {
        QFile f(dir + QStringLiteral("/Scan %1.jpg").arg(i, 4, 10, QChar(u'0')));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    return dir;
}

struct Window {
    GlancerSettings settings;
    QTemporaryDir config;
    QSettings store{config.filePath(QStringLiteral("Glancer.ini")), QSettings::IniFormat};
    platform::ScriptedPrompt prompt;
    CGlancerView view{settings, store, prompt};
    Window()
    {
        settings.hideCursor = false;
        view.resize(1920, 1080);
        view.show();
        QApplication::processEvents();
    }
    PreviewRow row(const QString &path) const
    {
        PreviewRow r;
        r.kind = PreviewRow::Image;
        r.path = path;
        return r;
    }
};

// (a) Opening an image to finished paint: both scans decoded for their halves.
void BM_OpenToPaint(benchmark::State &state)
{
    Window w;
    const QString first = scans() + QStringLiteral("/page1.jpg");
    for (auto _ : state) {
        if (!w.view.openImage(w.row(first))) {
            state.SkipWithError("cannot open the scan");
            return;
        }
        w.view.repaint();
        state.PauseTiming();
        w.view.session().setReadAheadEnabled(false);
        w.view.closePreview();
        w.view.session().setReadAheadEnabled(true);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenToPaint)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

// (b) The next spread after resting a second on the one shown.
void BM_NextAfterRest(benchmark::State &state)
{
    Window w;
    if (!w.view.openImage(w.row(runFolder() + QStringLiteral("/p01.jpg")))) {
        state.SkipWithError("cannot open the run");
        return;
    }
    w.view.repaint();
    for (auto _ : state) {
        state.PauseTiming();
        if (w.view.session().position() >= w.view.session().pageCount())
            w.view.onCommand(CmdFirstPage);
        w.view.repaint();
        bench::rest(1000);
        state.ResumeTiming();
        w.view.onCommand(CmdNextPage);
        w.view.repaint();
    }
}
BENCHMARK(BM_NextAfterRest)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// (c) Listing a folder of 2000 images into the list.
void BM_List2000(benchmark::State &state)
{
    Window w;
    const QString folder = listFolder2000();
    for (auto _ : state) {
        state.PauseTiming();
        // From the parent folder with the list's row selected...
        w.view.folderList().setCurrentFolder(folder);
        w.view.onCommand(CmdUpFolder);
        state.ResumeTiming();
        // ...into it: listed and shown.
        w.view.onCommand(CmdOpenRow);
        if (w.view.folderList().rows().size() != 2000)
            state.SkipWithError("the folder did not list");
    }
}
BENCHMARK(BM_List2000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

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
