// Adds a folder of A4 scans (2480 x 3508 JPEG, 300 dpi) to a new document
// through addPages, thumbnails included.
//   bindery_bench --pages=FOLDER [--make=COUNT] [benchmark options]
// With --make, the folder is first filled with COUNT scans (kept when present).
#include "core/binderyeditor.h"

#include <book/pagecollect.h>
#include <platform/prompt.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

QString g_folder;

// A page that looks like a scan of a text page: off-white paper, a heading,
// lines of "text" and a picture block, slightly different per page.
QImage scanPage(int number)
{
    QImage page(2480, 3508, QImage::Format_RGB32);
    page.fill(QColor(246, 243, 236));
    QPainter p(&page);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font;
    font.setPixelSize(90);
    p.setFont(font);
    p.setPen(QColor(30, 30, 30));
    p.drawText(QRect(200, 200, 2080, 200), Qt::AlignCenter, QStringLiteral("Chapter %1").arg(number));
    for (int line = 0; line < 70; ++line) {
        const int y = 500 + line * 40;
        const int length = 1700 + ((line * 37 + number * 11) % 380);
        p.fillRect(QRect(240, y, length, 14), QColor(60, 60, 60));
    }
    QLinearGradient g(QPointF(0, 3350), QPointF(2480, 3350));
    g.setColorAt(0, QColor(40, 80, 150));
    g.setColorAt(1, QColor(200, 120, 60));
    p.fillRect(QRect(240, 3420 - 400 + (number % 5) * 10, 2000, 60), g);
    return page;
}

// Eight distinct scans, copied round the folder: encoding 300 full pages
// would cost more than the benchmark itself.
void makeScans(int count)
{
    QDir().mkpath(g_folder);
    constexpr int kDistinct = 8;
    QByteArray variants[kDistinct];
    for (int i = 1; i <= count; ++i) {
        const QString path = g_folder + QStringLiteral("/scan%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
        if (QFileInfo::exists(path))
            continue;
        QByteArray &bytes = variants[i % kDistinct];
        if (bytes.isEmpty()) {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            scanPage(i).save(&buffer, "JPG", 85);
        }
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
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

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    int make = 0;
    std::vector<char *> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--pages=", 8) == 0)
            g_folder = QString::fromLocal8Bit(argv[i] + 8);
        else if (std::strncmp(argv[i], "--make=", 7) == 0)
            make = std::atoi(argv[i] + 7);
        else
            rest.push_back(argv[i]);
    }
    if (make > 0 && !g_folder.isEmpty())
        makeScans(make);
    int restCount = int(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
