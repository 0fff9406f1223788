// Harvester: packing a folder of 20 A4 scans (2480 x 3508 JPEG) into a book
// in-process, and the files bench/compare-harvester.sh times the program on.
//   harvester_bench --data=FOLDER [--make] [--make-small] [benchmark options]
// With --make, FOLDER/pdfs is filled with 20 PDFs of 20 scans each (the
// JPEGs embedded as they are) and FOLDER/folders with 50 folders of 20
// scans; with --make-small, FOLDER/small100 and FOLDER/small1000 with 100 and
// 1000 PDFs of one small page each (the scaling of mode 0). Files already
// there are kept.
#include "core/imagefolderpacker.h"
#include "pdfwriter.h"
#include "scanpages.h"

#include <platform/prompt.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

constexpr int kPdfs = 20;
constexpr int kFolders = 50;
constexpr int kPagesEach = 20;

QString g_data;

void makeData()
{
    const QString pdfs = g_data + QStringLiteral("/pdfs");
    QDir().mkpath(pdfs);
    for (int n = 1; n <= kPdfs; ++n) {
        const QString path = pdfs + QStringLiteral("/volume%1.pdf").arg(n, 2, 10, QLatin1Char('0'));
        if (QFileInfo::exists(path))
            continue;
        std::vector<pdfwriter::PdfPicture> pages;
        for (int page = 1; page <= kPagesEach; ++page)
            pages.push_back(*pdfwriter::jpegPicture(benchpages::scanJpeg(n * kPagesEach + page)));
        pdfwriter::writePdf(path, pages);
    }
    for (int n = 1; n <= kFolders; ++n) {
        const QString folder = g_data + QStringLiteral("/folders/volume%1").arg(n, 2, 10, QLatin1Char('0'));
        QDir().mkpath(folder);
        for (int page = 1; page <= kPagesEach; ++page) {
            const QString path = folder + QStringLiteral("/scan%1.jpg").arg(page, 3, 10, QLatin1Char('0'));
            if (QFileInfo::exists(path))
                continue;
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write(benchpages::scanJpeg(n * kPagesEach + page));
        }
    }
}

void makeSmallPdfs()
{
    for (const int count : {100, 1000}) {
        const QString folder = g_data + QStringLiteral("/small%1").arg(count);
        QDir().mkpath(folder);
        for (int n = 1; n <= count; ++n) {
            const QString path = folder + QStringLiteral("/small%1.pdf").arg(n, 4, 10, QLatin1Char('0'));
            if (QFileInfo::exists(path))
                continue;
            QImage page(200, 280, QImage::Format_RGB32);
            page.fill(QColor::fromHsv(n * 7 % 360, 120, 220));
            QByteArray jpeg;
            QBuffer buffer(&jpeg);
            buffer.open(QIODevice::WriteOnly);
            page.save(&buffer, "JPG", 85);
            pdfwriter::writePdf(path, {*pdfwriter::jpegPicture(jpeg)});
        }
    }
}

void BM_PackFolder(benchmark::State &state)
{
    const QString folder = g_data + QStringLiteral("/folders/volume01");
    if (!QFileInfo(folder).isDir()) {
        state.SkipWithError("no data: pass --data=FOLDER (and --make)");
        return;
    }
    platform::ScriptedPrompt prompt; // answers the overwrite question with OK
    harvester::ImageFolderPacker packer(prompt, [](const QString &) {});
    packer.options.thumb = state.range(0) != 0;
    for (auto _ : state) {
        if (packer.ImageFolderToKVB(folder, folder) != harvester::ImageFolderPacker::Written) {
            state.SkipWithError("packing failed");
            return;
        }
    }
    state.counters["pages"] = kPagesEach;
}
BENCHMARK(BM_PackFolder)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5)->Arg(0)->Arg(1);

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    bool make = false;
    bool makeSmall = false;
    std::vector<char *> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--data=", 7) == 0)
            g_data = QString::fromLocal8Bit(argv[i] + 7);
        else if (std::strcmp(argv[i], "--make") == 0)
            make = true;
        else if (std::strcmp(argv[i], "--make-small") == 0)
            makeSmall = true;
        else
            rest.push_back(argv[i]);
    }
    if (make && !g_data.isEmpty())
        makeData();
    if (makeSmall && !g_data.isEmpty())
        makeSmallPdfs();
    int restCount = int(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
