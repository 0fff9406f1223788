// The image folder and book runs (modes 2 and 3), and the PDF runs with the
// real pdfimages on PDFs written here.
#include "testfixtures.h"

#include "core/extractorlink.h"
#include "core/foldertree.h"
#include "core/messages.h"

#include <book/kvbfile.h>
#include <platform/filenames.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QScopeGuard>
#include <QTimer>

#include <gtest/gtest.h>

#include "archivefixtures.h"
#include "pdfwriter.h"
#include "testsupport.h"

using namespace harvester;
using harvestertest::RunFixture;
using harvestertest::Workspace;
using harvestertest::exists;
using harvestertest::finished;
using harvestertest::maskRunFolder;
using harvestertest::pageBytes;
using harvestertest::pagesOf;
using harvestertest::pdfOptions;
using harvestertest::readAll;
using platform::PromptAnswer;

namespace {

RunOptions folderOptions(int mode, const QString &target, bool subfolders, int post = LeaveSources)
{
    RunOptions options = pdfOptions(mode, target, QString());
    options.includeSubfolders = subfolders;
    options.postProcess = post;
    return options;
}

QByteArray greyJpeg(int seed)
{
    QImage grey(50, 70, QImage::Format_Grayscale8);
    grey.fill(seed * 40 % 256);
    return testsupport::encode(grey, "JPG", 90);
}

} // namespace

TEST(ImageFolderRun, PacksLeafFoldersOnlyWithTheSubfolderOption)
{
    Workspace ws;
    for (const char *path : {"lib/A/a.jpg", "lib/A/B/b.jpg", "lib/A/B/C/c.jpg", "lib/D/d.jpg"})
        ws.jpegFile(QString::fromLatin1(path), 1);
    ws.file(QStringLiteral("lib/top.jpg"), Workspace::jpeg(2));

    RunFixture deep;
    ASSERT_TRUE(deep.runToEnd(folderOptions(ImageFoldersToBooks, ws.path(QStringLiteral("lib")), true)));
    EXPECT_EQ(deep.observer.lines,
              (QStringList{text::PackLog.arg(ws.path(QStringLiteral("lib/A/B/C"))),
                           text::PackLog.arg(ws.path(QStringLiteral("lib/D"))), RunSummary{2}.text()}));
    EXPECT_TRUE(exists(ws.path(QStringLiteral("lib/A/B/C.kvb"))));
    EXPECT_FALSE(exists(ws.path(QStringLiteral("lib/A/B.kvb"))));
    EXPECT_FALSE(exists(ws.path(QStringLiteral("lib.kvb"))));
    EXPECT_EQ(deep.prompt.texts(), QStringList{finished(2)});

    RunFixture flat;
    ASSERT_TRUE(flat.runToEnd(folderOptions(ImageFoldersToBooks, ws.path(QStringLiteral("lib")), false)));
    EXPECT_EQ(flat.observer.positions, (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(exists(ws.path(QStringLiteral("lib/A.kvb"))));
    EXPECT_EQ(pagesOf(ws.path(QStringLiteral("lib/A.kvb"))).size(), 1u);
}

TEST(ImageFolderRun, FoldersWithoutPicturesAreNeitherPackedNorDeleted)
{
    Workspace ws;
    ws.jpegFile(QStringLiteral("lib/full/a.jpg"), 1);
    ws.file(QStringLiteral("lib/notes/readme.txt"), "x");
    ws.jpegFile(QStringLiteral("lib/notes/sub/a.jpg"), 1);

    RunFixture f;
    ASSERT_TRUE(f.runToEnd(folderOptions(ImageFoldersToBooks, ws.path(QStringLiteral("lib")), false, DeleteSources)));
    EXPECT_EQ(f.count(text::PackNoImagesLog), 1);
    EXPECT_FALSE(exists(ws.path(QStringLiteral("lib/full"))));
    EXPECT_TRUE(exists(ws.path(QStringLiteral("lib/full.kvb"))));
    EXPECT_TRUE(exists(ws.path(QStringLiteral("lib/notes/readme.txt"))));
    EXPECT_TRUE(f.observer.texts.contains(sourceTexts(SourceKind::ImageFolder).deleting));
}

TEST(ImageFolderRun, FailuresAndStopEndTheRun)
{
    Workspace ws;
    RunFixture missing;
    ASSERT_TRUE(missing.runToEnd(folderOptions(ImageFoldersToBooks, ws.path(QStringLiteral("none")), true)));
    EXPECT_EQ(missing.prompt.texts(), QStringList{text::FolderMissing});

    ws.file(QStringLiteral("empty/file.jpg"), Workspace::jpeg(1));
    RunFixture noFolders;
    ASSERT_TRUE(noFolders.runToEnd(folderOptions(ImageFoldersToBooks, ws.path(QStringLiteral("empty")), true)));
    EXPECT_EQ(noFolders.prompt.texts(), QStringList{text::NoFolders});

    for (const char *path : {"lib/1/a.jpg", "lib/2/a.jpg", "lib/3/a.jpg"})
        ws.jpegFile(QString::fromLatin1(path), 1);
    RunFixture stopped;
    stopped.observer.onLine = [&](const QString &line) {
        if (line.endsWith(QStringLiteral("/2")))
            stopped.run.requestStop();
    };
    ASSERT_TRUE(stopped.runToEnd(folderOptions(ImageFoldersToBooks, ws.path(QStringLiteral("lib")), false, RecycleSources)));
    EXPECT_EQ(stopped.prompt.texts(),
              QStringList{text::Stopped + QStringLiteral("\n画像フォルダはごみ箱に移動されません。\n") + RunSummary{2}.text()});
    EXPECT_TRUE(exists(ws.path(QStringLiteral("lib/2.kvb"))));
    EXPECT_FALSE(exists(ws.path(QStringLiteral("lib/3.kvb"))));
    EXPECT_TRUE(exists(ws.path(QStringLiteral("lib/1"))));

    // Refusing to overwrite ends the run without a further message.
    RunFixture refused;
    refused.prompt.planAnswer(PromptAnswer::Cancel);
    ASSERT_TRUE(refused.runToEnd(folderOptions(ImageFoldersToBooks, ws.path(QStringLiteral("lib")), false)));
    EXPECT_EQ(refused.prompt.texts(), QStringList{text::BookExists});
    EXPECT_EQ(refused.observer.lines.mid(refused.observer.lines.size() - 2),
              (QStringList{text::PackCancelLog, RunSummary{0, 0, 1}.text()}));
}

TEST(BookRun, UnpacksEveryBookAndKeepsThoseThatFailed)
{
    Workspace ws;
    const QByteArray page = Workspace::jpeg(1);
    kvb::PageList pages{{kvb::Jpeg, ws.file(QStringLiteral("src/1.jpg"), page), 0, uint32_t(page.size()), {}}};
    ws.folder(QStringLiteral("books/sub"));
    ASSERT_TRUE(kvb::KVBFile::writeBook(ws.path(QStringLiteral("books/a.kvb")), 0, false, {}, pages));
    ASSERT_TRUE(kvb::KVBFile::writeBook(ws.path(QStringLiteral("books/sub/c.kvb")), 0, false, {}, pages));
    const QString broken = ws.file(QStringLiteral("books/b.KVB"), "broken");

    RunFixture f;
    ASSERT_TRUE(f.runToEnd(folderOptions(BooksToImageFolders, ws.path(QStringLiteral("books")), true, DeleteSources)));
    EXPECT_EQ(f.observer.lines,
              (QStringList{text::UnpackLog.arg(ws.path(QStringLiteral("books/a.kvb"))), text::UnpackLog.arg(broken),
                           text::UnpackLog.arg(ws.path(QStringLiteral("books/sub/c.kvb"))), RunSummary{2, 1, 0, 2}.text()}));
    EXPECT_EQ(f.prompt.texts(), (QStringList{text::BookUnreadable, finished(2, 1, 0, 2)}));
    EXPECT_EQ(readAll(ws.path(QStringLiteral("books/a/Img0000.jpg"))), page);
    EXPECT_EQ(readAll(ws.path(QStringLiteral("books/sub/c/Img0000.jpg"))), page);
    EXPECT_FALSE(exists(ws.path(QStringLiteral("books/a.kvb"))));
    EXPECT_TRUE(exists(broken)); // passed over with OK: not deleted

    RunFixture none;
    ASSERT_TRUE(none.runToEnd(folderOptions(BooksToImageFolders, ws.path(QStringLiteral("src")), true)));
    EXPECT_EQ(none.prompt.texts(), QStringList{text::NoBooks});
    RunFixture missing;
    ASSERT_TRUE(missing.runToEnd(folderOptions(BooksToImageFolders, QStringLiteral("x"), true)));
    EXPECT_EQ(missing.prompt.texts(), QStringList{text::BookFolderMissing});
}

// The real extractor on PDFs written here.
class RealExtractor : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_extractor = locateExtractor(QString());
        if (m_extractor.isEmpty())
            GTEST_SKIP() << "pdfimages is not installed";
        f.run.setExtractor(m_extractor);
    }
    QString m_extractor;
    RunFixture f;
};

TEST_F(RealExtractor, EveryJpegOfAPdfArrivesInItsBookUnchangedInPageOrder)
{
    Workspace ws;
    const std::vector<QByteArray> jpegs{Workspace::jpeg(1, 120, 170), greyJpeg(2), Workspace::jpeg(3, 90, 60),
                                        Workspace::jpeg(4, 200, 283)};
    const QString pdf = ws.jpegPdf(QStringLiteral("pdfs/20240315 Spring issue.pdf"), jpegs);
    // A PDF whose only picture is not a JPEG gives a lossless PNG page.
    std::vector<pdfwriter::PdfPicture> raw{pdfwriter::rawPicture(testsupport::cornerPicture(30, 40))};
    const QString rawPdf = ws.path(QStringLiteral("pdfs/raw.pdf"));
    ASSERT_TRUE(pdfwriter::writePdf(rawPdf, raw));

    RunOptions options = pdfOptions(PdfToBook, ws.path(QStringLiteral("pdfs")), ws.folder(QStringLiteral("work")));
    options.postProcess = DeleteSources;
    options.book.nameAsTitle = true;
    options.book.numberAsDate = true;
    options.book.thumb = true;
    ASSERT_TRUE(f.runToEnd(options));
    EXPECT_EQ(f.prompt.texts(), QStringList{finished(2, 0, 0, 2)});
    EXPECT_EQ(maskRunFolder(f.observer.lines.first()),
              m_extractor + QStringLiteral(" -j -png \"") + pdf + QStringLiteral("\" \"") + ws.path(QStringLiteral("work"))
                  + QStringLiteral("/$HVTTemp$*/pdf/Img\""));

    kvb::AttributeList attributes;
    kvb::PageList pages;
    ASSERT_TRUE(kvb::KVBFile::readBook(ws.path(QStringLiteral("pdfs/20240315 Spring issue.kvb")), nullptr,
                                       &attributes, &pages));
    ASSERT_EQ(pages.size(), jpegs.size());
    for (size_t i = 0; i < jpegs.size(); ++i)
        EXPECT_EQ(pageBytes(pages[i]), jpegs[i]) << "page " << i;
    ASSERT_EQ(attributes.size(), 2u);
    EXPECT_EQ(attributes[0].text, QStringLiteral("Spring issue"));
    EXPECT_EQ(attributes[1].year, 2024);

    EXPECT_FALSE(exists(pdf));
    EXPECT_FALSE(exists(rawPdf));
    const kvb::PageList rawPages = pagesOf(ws.path(QStringLiteral("pdfs/raw.kvb")));
    ASSERT_EQ(rawPages.size(), 1u);
    EXPECT_EQ(rawPages[0].kind, kvb::Png);
}

TEST_F(RealExtractor, EveryPictureOfAPdfBecomesAPageWhateverItsCodingAndMasksDoNot)
{
    // A JPEG cover, a bilevel page, a stencil page, an uncompressed RGB page
    // and a JPEG with a soft mask.
    Workspace ws;
    const QByteArray cover = Workspace::jpeg(1, 60, 80), last = Workspace::jpeg(2, 60, 80);
    const QImage text = testsupport::cornerPicture(64, 80);
    const QImage colour = testsupport::cornerPicture(30, 40);
    QImage alpha(60, 80, QImage::Format_Alpha8);
    alpha.fill(128);
    const std::vector<pdfwriter::PdfPicture> pictures{
        *pdfwriter::jpegPicture(cover), pdfwriter::bilevelPicture(text), pdfwriter::bilevelPicture(text, true),
        pdfwriter::rawPicture(colour), pdfwriter::withSoftMask(*pdfwriter::jpegPicture(last), alpha)};
    const QString pdf = ws.path(QStringLiteral("pdfs/magazine.pdf"));
    QDir().mkpath(ws.path(QStringLiteral("pdfs")));
    ASSERT_TRUE(pdfwriter::writePdf(pdf, pictures));

    RunOptions options = pdfOptions(PdfToBook, ws.path(QStringLiteral("pdfs")), ws.folder(QStringLiteral("work")));
    options.postProcess = DeleteSources;
    ASSERT_TRUE(f.runToEnd(options));
    const kvb::PageList pages = pagesOf(ws.path(QStringLiteral("pdfs/magazine.kvb")));
    ASSERT_EQ(pages.size(), 5u);
    EXPECT_EQ(pageBytes(pages[0]), cover);
    EXPECT_EQ(pageBytes(pages[4]), last);
    const QImage bilevel = QImage::fromData(pageBytes(pages[1])).convertToFormat(QImage::Format_Grayscale8);
    const QImage grey = text.convertToFormat(QImage::Format_Grayscale8);
    ASSERT_EQ(bilevel.size(), grey.size());
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x)
            ASSERT_EQ(bilevel.pixelColor(x, y).value() >= 128, grey.pixelColor(x, y).value() >= 128) << x << "," << y;
    }
    EXPECT_EQ(QImage::fromData(pageBytes(pages[2])).size(), text.size());
    EXPECT_EQ(QImage::fromData(pageBytes(pages[3])).convertToFormat(QImage::Format_RGB32),
              colour.convertToFormat(QImage::Format_RGB32));
    EXPECT_FALSE(exists(pdf));
}

TEST_F(RealExtractor, ImageFolderModeKeepsTheExtractorsFiles)
{
    Workspace ws;
    const std::vector<QByteArray> jpegs{Workspace::jpeg(5), Workspace::jpeg(6)};
    ws.jpegPdf(QStringLiteral("pdfs/Vol.1.pdf"), jpegs);
    RunOptions options = pdfOptions(PdfToImageFolder, ws.path(QStringLiteral("pdfs")), ws.folder(QStringLiteral("work")));
    ASSERT_TRUE(f.runToEnd(options));
    EXPECT_EQ(f.prompt.texts(), QStringList{finished(1)});
    EXPECT_EQ(readAll(ws.path(QStringLiteral("pdfs/Vol.1/Img-000.jpg"))), jpegs[0]);
    EXPECT_EQ(readAll(ws.path(QStringLiteral("pdfs/Vol.1/Img-001.jpg"))), jpegs[1]);
}

TEST_F(RealExtractor, ABrokenPdfIsReportedAndAsked)
{
    Workspace ws;
    ws.file(QStringLiteral("pdfs/broken.pdf"), "%PDF-1.4\nnot really\n");
    f.prompt.planAnswer(PromptAnswer::Cancel);
    ASSERT_TRUE(f.runToEnd(pdfOptions(PdfToBook, ws.path(QStringLiteral("pdfs")), ws.folder(QStringLiteral("work")))));
    ASSERT_EQ(f.prompt.texts().size(), 1);
    EXPECT_TRUE(f.prompt.texts()[0].startsWith(QStringLiteral("Exit code: ")));
    EXPECT_GE(f.run.errorLines() + f.run.warningLines(), 1u);
    EXPECT_TRUE(exists(ws.path(QStringLiteral("pdfs/broken.pdf"))));
}

TEST(NamesAsBytes, FoldersBooksAndPdfsNamedInBytesThatAreNotUtf8AreTaken)
{
    // An image folder named 日本 in CP932, a book and a PDF named in bytes that
    // are no text at all.
    Workspace ws;
    const QString lib = ws.folder(QStringLiteral("lib"));
    const auto cleanup = qScopeGuard([&] { testsupport::removeRawNamedEntries(lib); });
    ASSERT_TRUE(testsupport::makeRawNamedFolder(lib, "\x93\xfa\x96\x7b"));
    const QString japan = lib + u'/' + platform::nameFromBytes("\x93\xfa\x96\x7b");
    ASSERT_TRUE(testsupport::writeFile(japan + QStringLiteral("/a.jpg"), Workspace::jpeg(1)));
    ASSERT_TRUE(testsupport::writeFile(japan + u'/' + platform::nameFromBytes("b\xff.jpg"), Workspace::jpeg(2)));

    RunFixture folders;
    RunOptions packing = folderOptions(ImageFoldersToBooks, lib, false);
    packing.book.nameAsTitle = true;
    ASSERT_TRUE(folders.runToEnd(packing));
    EXPECT_EQ(folders.observer.lines.first(), text::PackLog.arg(lib + QStringLiteral("/日本")));
    ASSERT_EQ(pagesOf(japan + QStringLiteral(".kvb")).size(), 2u);
    kvb::AttributeList attributes;
    ASSERT_TRUE(kvb::KVBFile::readBook(japan + QStringLiteral(".kvb"), nullptr, &attributes, nullptr));
    ASSERT_EQ(attributes.size(), 1u);
    EXPECT_EQ(attributes[0].text, QStringLiteral("日本"));

    const QString book = lib + u'/' + platform::nameFromBytes("c\xff.kvb");
    ASSERT_TRUE(testsupport::writeFile(book, readAll(japan + QStringLiteral(".kvb"))));
    RunFixture books;
    ASSERT_TRUE(books.runToEnd(folderOptions(BooksToImageFolders, lib, false)));
    EXPECT_TRUE(platform::isFile(lib + u'/' + platform::nameFromBytes("c\xff") + QStringLiteral("/Img0001.jpg")));

    // pdfimages is handed such a PDF through a link of a plain name; its book
    // takes the PDF's own bytes, and the PDF goes once the book holds its page.
    const QString work = ws.folder(QStringLiteral("work"));
    const QString pdf = lib + u'/' + platform::nameFromBytes("p\xff.pdf");
    ASSERT_TRUE(testsupport::writeFile(pdf, "image " + QFile::encodeName(ws.jpegFile(QStringLiteral("src/1.jpg"), 1))));
    RunFixture pdfs;
    RunOptions options = pdfOptions(PdfToBook, lib, work);
    options.postProcess = DeleteSources;
    ASSERT_TRUE(pdfs.runToEnd(options));
    EXPECT_EQ(pagesOf(lib + u'/' + platform::nameFromBytes("p\xff.kvb")).size(), 1u) << pdfs.observer.lines.join(u'\n').toStdString();
    EXPECT_FALSE(platform::pathExists(pdf));
}

// Mode 4: each archive becomes a book beside it; ComicInfo.xml's values come
// before the name rules; with "delete" only an archive whose every entry
// arrived goes.
TEST(ArchiveRun, BooksFromArchivesAndOnlyWholeOnesDeleted)
{
    Workspace ws;
    const QByteArray p1 = Workspace::jpeg(1), p2 = Workspace::png(2), p10 = Workspace::jpeg(10);
    const QByteArray comicInfo = "<?xml version=\"1.0\"?><ComicInfo><Title>Saga One</Title>"
                                 "<Writer>Ann</Writer></ComicInfo>";
    const QString saga = ws.path(QStringLiteral("Shelf/20240315 Saga.cbz"));
    ws.folder(QStringLiteral("Shelf/sub"));
    ASSERT_TRUE(archivefixtures::writeArchive(saga, "zip",
                                              {{QStringLiteral("p/10.jpg"), p10},
                                               {QStringLiteral("ComicInfo.xml"), comicInfo},
                                               {QStringLiteral("p/2.jpg"), p2},
                                               {QStringLiteral("p/1.jpg"), p1}}));
    // A page and a note: the book is made, the archive stays.
    const QString noted = ws.path(QStringLiteral("Shelf/sub/Noted.CB7"));
    ASSERT_TRUE(archivefixtures::writeArchive(
        noted, "7zip", {{QStringLiteral("1.jpg"), p1}, {QStringLiteral("notes.txt"), QByteArray("keep me")}}));
    archivefixtures::ZipBytes::Entry secret = archivefixtures::ZipBytes::stored("1.jpg", p1);
    secret.flags = 1;
    const QString locked = ws.file(QStringLiteral("Shelf/locked.zip"), archivefixtures::ZipBytes().add(secret).bytes());

    RunOptions options = folderOptions(ArchivesToBooks, ws.path(QStringLiteral("Shelf")), true, DeleteSources);
    options.book.nameAsTitle = true;
    options.book.numberAsDate = true;
    options.book.targetName = 2; // the chosen folder's name as publisher
    RunFixture f;
    ASSERT_TRUE(f.runToEnd(options));

    const kvb::PageList pages = pagesOf(ws.path(QStringLiteral("Shelf/20240315 Saga.kvb")));
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pageBytes(pages[0]), p1);
    EXPECT_EQ(pageBytes(pages[1]), p2);
    EXPECT_EQ(pageBytes(pages[2]), p10);
    kvb::AttributeList attributes;
    ASSERT_TRUE(kvb::KVBFile::readBook(ws.path(QStringLiteral("Shelf/20240315 Saga.kvb")), nullptr, &attributes, nullptr));
    auto textOf = [&attributes](uint8_t type) {
        for (const kvb::AttributeEntry &a : attributes) {
            if (a.type == type)
                return type == kvb::PublicationDate ? QStringLiteral("%1-%2-%3").arg(a.year).arg(a.month).arg(a.day)
                                                    : a.text;
        }
        return QString();
    };
    EXPECT_EQ(textOf(kvb::Title), QStringLiteral("Saga One"));
    EXPECT_EQ(textOf(kvb::Author), QStringLiteral("Ann"));
    EXPECT_EQ(textOf(kvb::Publisher), QStringLiteral("Shelf"));
    EXPECT_EQ(textOf(kvb::PublicationDate), QStringLiteral("2024-3-15"));
    EXPECT_EQ(pagesOf(ws.path(QStringLiteral("Shelf/sub/Noted.kvb"))).size(), 1u);

    EXPECT_FALSE(exists(saga));
    EXPECT_TRUE(exists(noted));
    EXPECT_TRUE(exists(locked));
    EXPECT_FALSE(exists(ws.path(QStringLiteral("Shelf/locked.kvb"))));
    const QString refusal = text::ArchiveFailedLog.arg(QStringLiteral("encrypted archives are not supported"));
    EXPECT_EQ(f.observer.lines.filter(refusal).size(), 1) << f.observer.lines.join(u'\n').toStdString();
    EXPECT_TRUE(f.observer.lines.contains(text::ArchiveKeptLog.arg(QStringLiteral("notes.txt"), noted)));
    EXPECT_EQ(f.observer.lines.constLast(), (RunSummary{2, 1, 0, 1}.text()));
    EXPECT_FALSE(f.run.succeeded());
}
