// Listing a folder of books as the folder screen does: every book's header
// and attributes, no pages; and the first screen of it, with the thumbnails
// of the tiles it shows. The folder holds $VELLORAN_SHELF_BOOKS books (default
// 1000) and is made on first use in $VELLORAN_BENCH_DIR/books (default
// /tmp/velloran-bench-shelf/books; books10000 for 10,000 books and so on):
// small books of one JPEG page, each with its 160 x 200 thumbnail.
#include "shelf/folderlisting.h"
#include "shelf/resumelist.h"
#include "shelf/shelfpictures.h"

#include "book/kvbfile.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

using namespace leafreader;

namespace {

const int kBooks = qEnvironmentVariableIntValue("VELLORAN_SHELF_BOOKS") > 0
                      ? qEnvironmentVariableIntValue("VELLORAN_SHELF_BOOKS")
                      : 1000;

QString booksDir()
{
    const QString base = qEnvironmentVariable("VELLORAN_BENCH_DIR", QStringLiteral("/tmp/velloran-bench-shelf"));
    return base + QStringLiteral("/books") + (kBooks == 1000 ? QString() : QString::number(kBooks));
}

// One book written properly, then copied under 1000 names.
bool makeBooks()
{
    const QString dir = booksDir();
    if (QFileInfo::exists(dir + QStringLiteral("/Book %1.kvb").arg(kBooks)))
        return true;
    QDir().mkpath(dir);
    QImage page(600, 800, QImage::Format_RGB32);
    page.fill(QColor(240, 236, 220));
    QPainter(&page).fillRect(100, 100, 400, 300, QColor(40, 90, 160));
    const QString pagePath = dir + QStringLiteral("/page.jpg");
    if (!page.save(pagePath, "JPG", 80))
        return false;
    kvb::PageList pages(1);
    pages[0].kind = kvb::Jpeg;
    pages[0].sourcePath = pagePath;
    pages[0].size = uint32_t(QFileInfo(pagePath).size());
    kvb::AttributeList attributes(2);
    attributes[0].type = kvb::Author;
    attributes[0].text = QStringLiteral("Bench Author");
    attributes[1].type = kvb::PublicationDate;
    attributes[1].year = 2024;
    attributes[1].month = 5;
    const QString model = dir + QStringLiteral("/model.kvb.tmpl");
    if (!kvb::KVBFile::writeBook(model, kvb::PageSpread, true, attributes, pages))
        return false;
    QFile source(model);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();
    for (int i = 1; i <= kBooks; ++i) {
        QFile out(dir + QStringLiteral("/Book %1.kvb").arg(i));
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            return false;
    }
    QFile::remove(model);
    QFile::remove(pagePath);
    return true;
}

void BM_ListFolder(benchmark::State &state)
{
    if (!makeBooks()) {
        state.SkipWithError("cannot write the books");
        return;
    }
    const ResumeList resume;
    size_t rows = 0;
    for (auto _ : state) {
        const FolderListing listing = listFolder(booksDir(), resume, 0);
        rows = listing.rows.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["books"] = double(rows);
}
BENCHMARK(BM_ListFolder)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The tile pictures of one screenful (24 tiles): each thumbnail read from its
// book and reduced, as the list does when the tiles are first shown.
void BM_ScreenOfPictures(benchmark::State &state)
{
    if (!makeBooks()) {
        state.SkipWithError("cannot write the books");
        return;
    }
    const FolderListing listing = listFolder(booksDir(), ResumeList(), 0);
    for (auto _ : state) {
        for (int i = 0; i < 24; ++i)
            benchmark::DoNotOptimize(ShelfPictures::bookPicture(
                readRowThumbnail(listing.rows[size_t(i)].path), QSize(80, 100), i % 2));
    }
}
BENCHMARK(BM_ScreenOfPictures)->Unit(benchmark::kMillisecond);

// What stands between opening the folder and its first painted screen: the
// listing, then the 24 tiles of the first screen with their thumbnails. The
// thumbnails of the rows below are read only when they are scrolled to.
void BM_FirstScreen(benchmark::State &state)
{
    if (!makeBooks()) {
        state.SkipWithError("cannot write the books");
        return;
    }
    const ResumeList resume;
    for (auto _ : state) {
        const FolderListing listing = listFolder(booksDir(), resume, 0);
        for (size_t i = 0; i < 24 && i < listing.rows.size(); ++i)
            benchmark::DoNotOptimize(ShelfPictures::bookPicture(readRowThumbnail(listing.rows[i].path),
                                                                QSize(80, 100), int(i % 2)));
    }
}
BENCHMARK(BM_FirstScreen)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
