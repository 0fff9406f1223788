// A source is deleted or recycled only when its content reached its output
// whole: extractions checked against the PDF's list of images, outputs kept
// where they belong, runs that never share their folder, image folders that
// go only when their book took everything, names that are not UTF-8, and the
// trash that is the user's own.
#include "testfixtures.h"

#include "core/messages.h"

#include <book/kvbfile.h>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace harvester;
using harvestertest::RunFixture;
using harvestertest::Workspace;
using harvestertest::exists;
using harvestertest::pageBytes;
using harvestertest::pagesOf;
using harvestertest::pdfOptions;
using harvestertest::readAll;
using platform::PromptAnswer;

namespace {

RunOptions deleting(int mode, const QString &target, const QString &work = {})
{
    RunOptions options = pdfOptions(mode, target, work);
    options.postProcess = DeleteSources;
    return options;
}

void writeRaw(const QByteArray &path, const QByteArray &bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size());
    ::close(fd);
}

} // namespace

TEST(SourceSafety, APdfWhoseImagesDidNotAllArriveGetsNoBookAndStays)
{
    Workspace ws;
    const QString work = ws.folder(QStringLiteral("work"));
    const QByteArray whole = Workspace::jpeg(1, 120, 160);
    const QString jpg = ws.file(QStringLiteral("src/whole.jpg"), whole);
    const QString cut = ws.file(QStringLiteral("src/cut.jpg"), whole.left(whole.size() / 2));
    const QString empty = ws.file(QStringLiteral("src/empty.jpg"), QByteArray());

    struct Case {
        const char *name;
        QStringList lines;
    };
    // A full work disk (a cut JPEG and an empty file, exit code 0), an image
    // the list has and the extraction lacks, a file the list does not have,
    // an extractor that failed, and a list that could not be made.
    const std::vector<Case> cases{
        {"full", {"image " + jpg, "image " + cut, "image " + empty}},
        {"lost", {"image " + jpg, "lost " + jpg}},
        {"extra", {"image " + jpg, "extra " + jpg}},
        {"failed", {"image " + jpg, "exit 2"}},
        {"unlisted", {"image " + jpg, "listexit 1"}},
    };
    for (const Case &c : cases) {
        const QString folder = QStringLiteral("pdfs-%1").arg(QLatin1String(c.name));
        const QString pdf = ws.fakePdf(folder + QStringLiteral("/a.pdf"), c.lines);
        for (int mode : {PdfToBook, PdfToImageFolder}) {
            RunFixture f;
            ASSERT_TRUE(f.runToEnd(deleting(mode, ws.path(folder), work)));
            EXPECT_TRUE(exists(pdf)) << c.name << " mode " << mode;
            EXPECT_FALSE(exists(ws.path(folder + QStringLiteral("/a.kvb")))) << c.name;
            EXPECT_FALSE(exists(ws.path(folder + QStringLiteral("/a")))) << c.name;
        }
    }
}

TEST(SourceSafety, OutputsNeverLandOnTheTargetFolderOrOutsideIt)
{
    Workspace ws;
    const QString work = ws.folder(QStringLiteral("work"));
    const QString img = ws.jpegFile(QStringLiteral("src/1.jpg"), 1);
    ws.fakePdf(QStringLiteral("lib/.pdf"), {"image " + img});
    const QString kept = ws.file(QStringLiteral("lib/keep.txt"), "mine");
    const QString keptImage = ws.jpegFile(QStringLiteral("lib/sub/x.jpg"), 2);

    for (int mode : {PdfToImageFolder, PdfToBook}) {
        RunFixture f;
        ASSERT_TRUE(f.runToEnd(deleting(mode, ws.path(QStringLiteral("lib")), work)));
        EXPECT_TRUE(exists(kept)) << mode;
        EXPECT_TRUE(exists(keptImage)) << mode;
        EXPECT_TRUE(exists(ws.path(QStringLiteral("lib/.pdf")))) << mode;
        EXPECT_FALSE(exists(ws.path(QStringLiteral("lib.kvb")))) << mode;
        EXPECT_FALSE(exists(ws.path(QStringLiteral("lib/Img-000.jpg")))) << mode;
    }

    // A book named only ".kvb" is not unpacked into the folder holding it.
    const QByteArray page = Workspace::jpeg(3);
    kvb::PageList pages{{kvb::Jpeg, ws.file(QStringLiteral("src/3.jpg"), page), 0, uint32_t(page.size()), {}}};
    ws.folder(QStringLiteral("books"));
    ASSERT_TRUE(kvb::KVBFile::writeBook(ws.path(QStringLiteral("books/.kvb")), 0, false, {}, pages));
    RunFixture unpack;
    ASSERT_TRUE(unpack.runToEnd(deleting(BooksToImageFolders, ws.path(QStringLiteral("books")))));
    EXPECT_FALSE(exists(ws.path(QStringLiteral("books/Img0000.jpg"))));
    EXPECT_TRUE(exists(ws.path(QStringLiteral("books/.kvb"))));
}

TEST(SourceSafety, OutputsThatCollideAreRefusedAndNoBookOfTheRunIsOverwritten)
{
    Workspace ws;
    const QString work = ws.folder(QStringLiteral("work"));
    const QString one = ws.jpegFile(QStringLiteral("src/1.jpg"), 1);
    const QString two = ws.jpegFile(QStringLiteral("src/2.jpg"), 2);

    // X.pdf and X.PDF would both become X.kvb.
    const QString lower = ws.fakePdf(QStringLiteral("case/X.pdf"), {"image " + one});
    const QString upper = ws.fakePdf(QStringLiteral("case/X.PDF"), {"image " + two});
    RunFixture cased;
    ASSERT_TRUE(cased.runToEnd(deleting(PdfToBook, ws.path(QStringLiteral("case")), work)));
    EXPECT_TRUE(exists(lower));
    EXPECT_TRUE(exists(upper));
    EXPECT_FALSE(cased.prompt.texts().contains(text::BookExists));

    // Y.kvb is a link to where X.kvb is written first: Y's book would
    // replace X's.
    const QString x = ws.fakePdf(QStringLiteral("linked/X.pdf"), {"image " + one});
    const QString y = ws.fakePdf(QStringLiteral("linked/Y.pdf"), {"image " + two});
    QFile::link(QStringLiteral("X.kvb"), ws.path(QStringLiteral("linked/Y.kvb")));
    RunFixture linked;
    ASSERT_TRUE(linked.runToEnd(deleting(PdfToBook, ws.path(QStringLiteral("linked")), work)));
    const kvb::PageList xPages = pagesOf(ws.path(QStringLiteral("linked/X.kvb")));
    ASSERT_EQ(xPages.size(), 1u);
    EXPECT_EQ(pageBytes(xPages[0]), readAll(one));
    EXPECT_TRUE(exists(y));

    // The image folder of sub.pdf would be the folder holding sub/a.pdf.
    const QString inner = ws.fakePdf(QStringLiteral("nested/sub/a.pdf"), {"image " + one});
    ws.fakePdf(QStringLiteral("nested/sub.pdf"), {"image " + two});
    RunOptions options = deleting(PdfToImageFolder, ws.path(QStringLiteral("nested")), work);
    options.includeSubfolders = true;
    RunFixture nested;
    ASSERT_TRUE(nested.runToEnd(options));
    EXPECT_TRUE(exists(inner) || exists(ws.path(QStringLiteral("nested/sub/a/Img-000.jpg"))));

    // The folders Vol and Vol.pdf would both become Vol.kvb.
    ws.jpegFile(QStringLiteral("folders/Vol/a.jpg"), 1);
    ws.jpegFile(QStringLiteral("folders/Vol.pdf/a.jpg"), 2);
    RunFixture folders;
    ASSERT_TRUE(folders.runToEnd(deleting(ImageFoldersToBooks, ws.path(QStringLiteral("folders")))));
    EXPECT_TRUE(exists(ws.path(QStringLiteral("folders/Vol/a.jpg"))));
    EXPECT_TRUE(exists(ws.path(QStringLiteral("folders/Vol.pdf/a.jpg"))));
}

TEST(SourceSafety, AnImageFolderGoesOnlyWhenItsBookTookEverythingInIt)
{
    Workspace ws;
    ws.jpegFile(QStringLiteral("lib/A/p0.jpg"), 0);
    ws.jpegFile(QStringLiteral("lib/A/B/p1.jpg"), 1);
    ws.jpegFile(QStringLiteral("lib/A/B/C/p2.jpg"), 2);
    ws.file(QStringLiteral("lib/A/scan.tif"), "II*\0");
    ws.jpegFile(QStringLiteral("lib/D/d.jpg"), 3);

    for (int post : {DeleteSources, RecycleSources}) {
        RunFixture f;
        RunOptions options = deleting(ImageFoldersToBooks, ws.path(QStringLiteral("lib")));
        options.postProcess = post;
        ASSERT_TRUE(f.runToEnd(options));
        EXPECT_EQ(pagesOf(ws.path(QStringLiteral("lib/A.kvb"))).size(), 1u);
        for (const char *path : {"lib/A/p0.jpg", "lib/A/B/p1.jpg", "lib/A/B/C/p2.jpg", "lib/A/scan.tif"})
            EXPECT_TRUE(exists(ws.path(QString::fromLatin1(path)))) << path << " post " << post;
        EXPECT_FALSE(exists(ws.path(QStringLiteral("lib/D"))));
        ws.jpegFile(QStringLiteral("lib/D/d.jpg"), 3);
    }
}

TEST(SourceSafety, RunsNeverShareTheirFolderAndADeadRunsFolderIsRemoved)
{
    Workspace ws;
    const QString work = ws.folder(QStringLiteral("work"));
    const QString a1 = ws.jpegFile(QStringLiteral("src/a1.jpg"), 1), a2 = ws.jpegFile(QStringLiteral("src/a2.jpg"), 2);
    const QString b1 = ws.jpegFile(QStringLiteral("src/b1.jpg"), 3), b2 = ws.jpegFile(QStringLiteral("src/b2.jpg"), 4);
    ws.fakePdf(QStringLiteral("A/a.pdf"), {"image " + a1, "sleep 0.5", "image " + a2});
    ws.fakePdf(QStringLiteral("B/b.pdf"), {"image " + b1, "image " + b2});

    // What a run that died left; and the folder of one still at work.
    ws.jpegFile(QStringLiteral("work/$HVTTemp$1234abcd/pdf/Img-000.jpg"), 9);
    const QString live = ws.folder(QStringLiteral("work/$HVTTemp$5678"));
    const int lock = ::open(QFile::encodeName(live).constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(lock, LOCK_EX | LOCK_NB), 0);

    RunFixture first, second;
    first.run.start(pdfOptions(PdfToBook, ws.path(QStringLiteral("A")), work));
    second.run.start(pdfOptions(PdfToBook, ws.path(QStringLiteral("B")), work));
    ASSERT_TRUE(first.waitForEnd());
    ASSERT_TRUE(second.waitForEnd());
    const kvb::PageList a = pagesOf(ws.path(QStringLiteral("A/a.kvb")));
    const kvb::PageList b = pagesOf(ws.path(QStringLiteral("B/b.kvb")));
    ASSERT_EQ(a.size(), 2u);
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(pageBytes(a[0]), readAll(a1));
    EXPECT_EQ(pageBytes(a[1]), readAll(a2));
    EXPECT_EQ(pageBytes(b[0]), readAll(b1));
    EXPECT_EQ(pageBytes(b[1]), readAll(b2));

    EXPECT_FALSE(exists(work + QStringLiteral("/$HVTTemp$1234abcd")));
    EXPECT_TRUE(exists(live));
    ::close(lock);
}

TEST(SourceSafety, APictureNamedInOtherBytesGoesIntoTheBookBeforeItsFolderGoes)
{
    Workspace ws;
    ws.jpegFile(QStringLiteral("lib/A/a.jpg"), 1);
    writeRaw(QFile::encodeName(ws.path(QStringLiteral("lib/A"))) + "/b\xfe.jpg", Workspace::jpeg(2));
    RunFixture folders;
    ASSERT_TRUE(folders.runToEnd(deleting(ImageFoldersToBooks, ws.path(QStringLiteral("lib")))));
    EXPECT_EQ(pagesOf(ws.path(QStringLiteral("lib/A.kvb"))).size(), 2u);
    EXPECT_FALSE(exists(ws.path(QStringLiteral("lib/A"))));
}

TEST(SourceSafety, OnlyTheUsersOwnTrashIsUsed)
{
    // The data folder cannot be made (a file stands in its way), so there is
    // no trash of the user's: the PDF stays where it is, nothing is moved
    // into the working folder, and the failure is logged with its code.
    Workspace ws;
    const QString work = ws.folder(QStringLiteral("work"));
    const QString img = ws.jpegFile(QStringLiteral("src/1.jpg"), 1);
    const QString pdf = ws.fakePdf(QStringLiteral("pdfs/a.pdf"), {"image " + img});
    ws.file(QStringLiteral("blocked"), "a file");
    const QString cwd = ws.folder(QStringLiteral("cwd"));

    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    const QString before = QDir::currentPath();
    qputenv("XDG_DATA_HOME", QFile::encodeName(ws.path(QStringLiteral("blocked/data"))));
    QDir::setCurrent(cwd);
    RunFixture f;
    f.prompt.planAnswer(PromptAnswer::Cancel);
    RunOptions options = pdfOptions(PdfToBook, ws.path(QStringLiteral("pdfs")), work);
    options.postProcess = RecycleSources;
    const bool ended = f.runToEnd(options);
    QDir::setCurrent(before);
    qputenv("XDG_DATA_HOME", dataHome);

    ASSERT_TRUE(ended);
    EXPECT_TRUE(exists(pdf));
    EXPECT_TRUE(QDir(cwd).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    const QStringList failed = f.observer.lines.filter(QStringLiteral("MoveToTrash("));
    ASSERT_EQ(failed.size(), 1);
    EXPECT_TRUE(failed[0].contains(QStringLiteral("rc="))) << failed[0].toStdString();
    EXPECT_EQ(f.run.outcome(), RunOutcome::Ended);
}
