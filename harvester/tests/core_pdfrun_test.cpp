// The PDF runs (modes 0 and 1) with the stand-in extractor: the S, L and F
// steps, their questions and failures, Stop, a forced close and the final
// deletion or recycling.
#include "testfixtures.h"

#include "core/foldertree.h"
#include "core/lineassembler.h"
#include "core/messages.h"

#include <book/kvbfile.h>

#include <QDir>
#include <QFile>
#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

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

// As the log shows it, the run's own folder masked (maskRunFolder).
QString commandLine(const QString &pdf, const QString &work)
{
    return harvestertest::fakeExtractor() + QStringLiteral(" -j -png \"") + pdf + QStringLiteral("\" \"") + work
           + QStringLiteral("/$HVTTemp$*/pdf/Img\"");
}

// File operations whose moves and recycling fail as often as a test says.
class FlakyOperations : public FileOperations {
public:
    int moveFailures = 0;
    int moves = 0;
    int trashFailures = 0;
    int pauses = 0;
    QStringList trashed;

    bool moveFolder(const QString &from, const QString &to) override
    {
        ++moves;
        if (moveFailures > 0) {
            --moveFailures;
            return false;
        }
        return FileOperations::moveFolder(from, to);
    }
    int moveToTrash(const QString &path) override
    {
        if (trashFailures > 0) {
            --trashFailures;
            return EACCES;
        }
        trashed.append(path);
        QFile::remove(path);
        return 0;
    }
    void pause(int) override { ++pauses; }
};

} // namespace

TEST(LineAssembler, CutsLinesAtCrOrLfAndKeepsPrintableAscii)
{
    LineAssembler assembler;
    QStringList lines;
    auto feed = [&](const QByteArray &bytes) {
        for (const char b : bytes)
            if (auto line = assembler.feed(b))
                lines.append(*line);
    };
    feed("first\r\nsecond\n\n\r\rthird\rcaf\xC3\xA9\tx\x01y\n");
    EXPECT_EQ(lines, (QStringList{"first", "second", "third", "cafxy"}));

    lines.clear();
    feed(QByteArray(1500, 'a') + "\r\n" + "unfinished");
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0], QString(1023, u'a'));
    feed("\n");
    EXPECT_EQ(lines.last(), QStringLiteral("unfinished"));
}

TEST(PdfRun, PacksEveryPdfBesideItAndCompletes)
{
    Workspace ws;
    const QString work = ws.folder(QStringLiteral("work"));
    const QByteArray p1 = Workspace::jpeg(1), p2 = Workspace::jpeg(2), p3 = Workspace::jpeg(3);
    const QString img1 = ws.file(QStringLiteral("src/1.jpg"), p1);
    const QString img2 = ws.file(QStringLiteral("src/2.jpg"), p2);
    const QString img3 = ws.file(QStringLiteral("src/3.jpg"), p3);
    const QString a = ws.fakePdf(QStringLiteral("pdfs/a.pdf"), {"image " + img1, "image " + img2});
    const QString b = ws.fakePdf(QStringLiteral("pdfs/B.PDF"), {"image " + img3, "say done"});
    ws.fakePdf(QStringLiteral("pdfs/sub/c.pdf"), {"image " + img1});

    RunFixture f;
    RunOptions options = pdfOptions(PdfToBook, ws.path(QStringLiteral("pdfs")), work);
    ASSERT_TRUE(f.runToEnd(options));

    EXPECT_EQ(maskRunFolder(f.observer.lines),
              (QStringList{commandLine(a, work), "Exit code = 0 (0x0)", commandLine(b, work), "done",
                           "Exit code = 0 (0x0)", RunSummary{2}.text()}));
    EXPECT_EQ(f.prompt.texts(), QStringList{finished(2)});
    EXPECT_EQ(f.prompt.shown().back().icon, platform::PromptIcon::Information);
    EXPECT_EQ(f.run.outcome(), RunOutcome::Completed);
    EXPECT_EQ(f.observer.ranges, std::vector<int>{2});
    EXPECT_EQ(f.observer.positions, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(f.observer.runningStates, (std::vector<bool>{true, false}));
    EXPECT_EQ(f.run.targetFolderName(), QStringLiteral("pdfs"));
    EXPECT_TRUE(f.run.runList().isEmpty());

    const kvb::PageList pa = pagesOf(ws.path(QStringLiteral("pdfs/a.kvb")));
    ASSERT_EQ(pa.size(), 2u);
    EXPECT_EQ(pageBytes(pa[0]), p1);
    EXPECT_EQ(pageBytes(pa[1]), p2);
    EXPECT_EQ(pagesOf(ws.path(QStringLiteral("pdfs/B.kvb"))).size(), 1u);
    EXPECT_FALSE(exists(ws.path(QStringLiteral("pdfs/sub/c.kvb"))));
    EXPECT_TRUE(QDir(work).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    EXPECT_TRUE(exists(a));

    // With the subfolder option the PDF below follows its folder's place.
    RunFixture again;
    again.prompt.planAnswer(PromptAnswer::Ok);
    again.prompt.planAnswer(PromptAnswer::Ok);
    options.includeSubfolders = true;
    ASSERT_TRUE(again.runToEnd(options));
    EXPECT_TRUE(exists(ws.path(QStringLiteral("pdfs/sub/c.kvb"))));
    EXPECT_EQ(again.observer.ranges, std::vector<int>{3});
}

TEST(PdfRun, StartChecksRefuseBeforeAnySearch)
{
    Workspace ws;
    const QString pdfs = ws.folder(QStringLiteral("pdfs"));
    const QString work = ws.folder(QStringLiteral("work"));
    const QString wide = ws.folder(QStringLiteral("作業"));
    struct Case {
        QString target, work, message;
    };
    const std::vector<Case> cases{
        {QString(), work, text::PdfFolderMissing},
        {QStringLiteral("/"), work, text::PdfFolderMissing},
        {ws.path(QStringLiteral("missing")), work, text::PdfFolderMissing},
        {pdfs, QStringLiteral("w"), text::WorkFolderMissing},
        {pdfs, ws.path(QStringLiteral("nowork")), text::WorkFolderMissing},
        {pdfs, wide, text::WorkFolderFullWidth},
        {pdfs, work, text::NoPdf},
    };
    for (const Case &c : cases) {
        RunFixture f;
        ASSERT_TRUE(f.runToEnd(pdfOptions(PdfToBook, c.target, c.work)));
        EXPECT_EQ(f.prompt.texts(), QStringList{c.message}) << c.message.toStdString();
        EXPECT_EQ(f.observer.runningStates, (std::vector<bool>{true, false}));
        EXPECT_TRUE(f.observer.lines.isEmpty());
        EXPECT_EQ(f.run.outcome(), RunOutcome::Ended);
    }
    // The target folder itself may hold any characters.
    ws.fakePdf(QStringLiteral("本棚/x.pdf"), {});
    RunFixture f;
    ASSERT_TRUE(f.runToEnd(pdfOptions(PdfToBook, ws.path(QStringLiteral("本棚")), work)));
    EXPECT_EQ(f.prompt.texts(), QStringList{finished(0, 0, 1)});

    // Stop during the search ends the run without a message.
    RunFixture stopped;
    stopped.observer.onEvents = [&] { stopped.run.requestStop(); };
    ASSERT_TRUE(stopped.runToEnd(pdfOptions(PdfToBook, ws.path(QStringLiteral("本棚")), work)));
    EXPECT_TRUE(stopped.prompt.texts().isEmpty());
    EXPECT_TRUE(stopped.observer.lines.isEmpty());
}

TEST(PdfRun, LaunchFailuresEndTheRunWithoutTouchingAnything)
{
    Workspace ws;
    const QString work = ws.folder(QStringLiteral("work"));
    const QString pdf = ws.fakePdf(QStringLiteral("pdfs/a.pdf"), {});
    ws.folder(QStringLiteral("pdfs/a")); // would be asked about in mode 1

    // The run's folder cannot be made: the work folder went after the checks.
    RunFixture blocked;
    blocked.observer.onEvents = [&] { QDir(work).removeRecursively(); };
    ASSERT_TRUE(blocked.runToEnd(pdfOptions(PdfToImageFolder, ws.path(QStringLiteral("pdfs")), work)));
    EXPECT_EQ(blocked.prompt.texts(), QStringList{text::CommandLineFailed});
    EXPECT_EQ(blocked.observer.lines, QStringList{RunSummary{}.text()});
    ws.folder(QStringLiteral("work"));

    // The extractor cannot be started.
    RunFixture missing;
    missing.run.setExtractor(ws.path(QStringLiteral("no-such-extractor")));
    ASSERT_TRUE(missing.runToEnd(pdfOptions(PdfToImageFolder, ws.path(QStringLiteral("pdfs")), work)));
    EXPECT_EQ(missing.prompt.texts(), QStringList{text::LaunchFailed});
    EXPECT_EQ(missing.observer.lines.size(), 2); // the command line and the summary
    EXPECT_FALSE(missing.run.running());
    EXPECT_TRUE(exists(pdf));
    EXPECT_TRUE(isExistingFolder(ws.path(QStringLiteral("pdfs/a"))));
}

TEST(PdfRun, ExtractorOutputIsLoggedAndCountedBeforeItsExitIsJudged)
{
    Workspace ws;
    const QString work = ws.folder(QStringLiteral("work"));
    const QString img = ws.jpegFile(QStringLiteral("src/1.jpg"), 1);
    ws.fakePdf(QStringLiteral("pdfs/a.pdf"),
               {"image " + img, "say Syntax Error: bad xref", "raw Syntax Warning: odd\\r\\n",
                "say Error and Warning in one", "raw caf\\303\\251 \\001ok\\r\\n", "say " + QString(1500, u'z'),
                "say error warning (not counted)", "exit 3"});

    RunFixture f;
    f.prompt.planAnswer(PromptAnswer::Cancel);
    ASSERT_TRUE(f.runToEnd(pdfOptions(PdfToBook, ws.path(QStringLiteral("pdfs")), work)));
    const QStringList expectedLines{"Syntax Error: bad xref", "Syntax Warning: odd", "Error and Warning in one",
                                    "caf ok", QString(1023, u'z'), "error warning (not counted)",
                                    text::ExtractorFailedLog.arg(3), text::NoBookWrittenLog,
                                    "Exit code = 3 (0x3)", RunSummary{0, 1}.text()};
    EXPECT_EQ(f.observer.lines.mid(1), expectedLines);
    EXPECT_EQ(f.run.log().lineCount(), 11);
    EXPECT_EQ(f.prompt.texts(), QStringList{text::ExtractorTrouble.arg(3).arg(2).arg(2) + text::CheckBook
                                            + text::Continue});
    EXPECT_EQ(f.prompt.shown()[0].buttons, platform::PromptButtons::OkCancel);
    EXPECT_EQ(f.run.outcome(), RunOutcome::Ended);
    // An extractor that failed gives no book.
    EXPECT_FALSE(exists(ws.path(QStringLiteral("pdfs/a.kvb"))));
}

TEST(PdfRun, ExitCodeZeroPassesAndOneWarningAsks)
{
    Workspace ws;
    const QString work = ws.folder(QStringLiteral("work"));
    const QString img = ws.jpegFile(QStringLiteral("src/1.jpg"), 1);
    ws.fakePdf(QStringLiteral("pdfs/a.pdf"), {"image " + img, "say Syntax Warning: one"});
    ws.fakePdf(QStringLiteral("pdfs/b.pdf"), {"image " + img, "say all fine"});
    ws.fakePdf(QStringLiteral("pdfs/c.pdf"), {"image " + img, "exit 1"});

    RunFixture f;
    ASSERT_TRUE(f.runToEnd(pdfOptions(PdfToImageFolder, ws.path(QStringLiteral("pdfs")), work)));
    const QString asked = text::ExtractorTrouble.arg(0).arg(0).arg(1) + text::CheckImages + text::Continue;
    EXPECT_EQ(f.prompt.texts(),
              (QStringList{asked, text::ExtractorTrouble.arg(1).arg(0).arg(0) + text::CheckImages + text::Continue,
                           finished(2, 1)}));
    for (const char *folder : {"pdfs/a/Img-000.jpg", "pdfs/b/Img-000.jpg"})
        EXPECT_EQ(readAll(ws.path(QString::fromLatin1(folder))), Workspace::jpeg(1)) << folder;
    EXPECT_FALSE(exists(ws.path(QStringLiteral("pdfs/c")))); // its extractor failed
}

TEST(PdfRun, StopDuringTheSecondOfThreePdfsFinishesItAndStopsBeforeTheThird)
{
    Workspace ws;
    const QString work = ws.folder(QStringLiteral("work"));
    const QString img = ws.jpegFile(QStringLiteral("src/1.jpg"), 1);
    QStringList pdfs;
    for (const char *name : {"pdfs/1.pdf", "pdfs/2.pdf", "pdfs/3.pdf"})
        pdfs.append(ws.fakePdf(QString::fromLatin1(name), {"image " + img}));

    RunFixture f;
    f.observer.onLine = [&](const QString &line) {
        if (maskRunFolder(line) == commandLine(pdfs[1], work))
            f.run.requestStop();
    };
    RunOptions options = pdfOptions(PdfToBook, ws.path(QStringLiteral("pdfs")), work);
    options.postProcess = DeleteSources;
    ASSERT_TRUE(f.runToEnd(options));

    EXPECT_EQ(f.observer.lines.count(QStringLiteral("Exit code = 0 (0x0)")), 2);
    EXPECT_EQ(f.prompt.texts(),
              QStringList{text::Stopped + QStringLiteral("\nPDFファイルは削除されません。\n") + RunSummary{2}.text()});
    EXPECT_EQ(f.run.outcome(), RunOutcome::Stopped);
    EXPECT_TRUE(exists(ws.path(QStringLiteral("pdfs/1.kvb"))));
    EXPECT_TRUE(exists(ws.path(QStringLiteral("pdfs/2.kvb"))));
    EXPECT_FALSE(exists(ws.path(QStringLiteral("pdfs/3.kvb"))));
    for (const QString &pdf : pdfs)
        EXPECT_TRUE(exists(pdf));
    EXPECT_FALSE(maskRunFolder(f.observer.lines).contains(commandLine(pdfs[2], work)));

    // Recycling chosen: its own note.
    RunFixture recycle;
    recycle.prompt.planAnswer(PromptAnswer::Ok);
    recycle.observer.onLine = [&](const QString &line) {
        if (maskRunFolder(line) == commandLine(pdfs[0], work))
            recycle.run.requestStop();
    };
    options.postProcess = RecycleSources;
    ASSERT_TRUE(recycle.runToEnd(options));
    EXPECT_EQ(recycle.prompt.texts().last(),
              text::Stopped + QStringLiteral("\nPDFファイルはごみ箱に移動されません。\n") + RunSummary{1}.text());
}

TEST(PdfRun, LeftoversOfAnEarlierRunNeverReachTheNextBook)
{
    Workspace ws;
    const QString work = ws.folder(QStringLiteral("work"));
    ws.jpegFile(QStringLiteral("work/$HVTTemp$/Img-000.jpg"), 90);
    ws.jpegFile(QStringLiteral("work/$HVTTemp$/Img-007.jpg"), 91);
    ws.file(QStringLiteral("work/$HVTTemp$/sub/x.ppm"), "P6");
    const QByteArray page = Workspace::jpeg(5);
    const QString img = ws.file(QStringLiteral("src/p.jpg"), page);
    ws.fakePdf(QStringLiteral("pdfs/a.pdf"), {"image " + img});

    RunFixture f;
    ASSERT_TRUE(f.runToEnd(pdfOptions(PdfToBook, ws.path(QStringLiteral("pdfs")), work)));
    const kvb::PageList pages = pagesOf(ws.path(QStringLiteral("pdfs/a.kvb")));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pageBytes(pages[0]), page);

    // A link where that shared folder was is never emptied through.
    const QString elsewhere = ws.folder(QStringLiteral("elsewhere"));
    const QString kept = ws.jpegFile(QStringLiteral("elsewhere/keep.jpg"), 3);
    QFile::link(elsewhere, work + QStringLiteral("/$HVTTemp$"));
    RunFixture linked;
    linked.prompt.planAnswer(PromptAnswer::Ok);
    ASSERT_TRUE(linked.runToEnd(pdfOptions(PdfToBook, ws.path(QStringLiteral("pdfs")), work)));
    EXPECT_TRUE(exists(kept));
    EXPECT_EQ(pagesOf(ws.path(QStringLiteral("pdfs/a.kvb"))).size(), 1u);
}

TEST(PdfRun, APdfWhoseContentDidNotArriveIsNeverDeleted)
{
    Workspace ws;
    const QString work = ws.folder(QStringLiteral("work"));
    const QString img = ws.jpegFile(QStringLiteral("src/1.jpg"), 1);
    const QString good = ws.fakePdf(QStringLiteral("pdfs/good.pdf"), {"image " + img});
    const QString empty = ws.fakePdf(QStringLiteral("pdfs/empty.pdf"), {"say no images"});
    const QString other = ws.fakePdf(QStringLiteral("pdfs/other.pdf"), {"image " + ws.file("src/x.ppm", "P6")});

    RunFixture f;
    RunOptions options = pdfOptions(PdfToBook, ws.path(QStringLiteral("pdfs")), work);
    options.postProcess = DeleteSources;
    ASSERT_TRUE(f.runToEnd(options));
    EXPECT_EQ(f.prompt.texts(), QStringList{finished(1, 1, 1, 1)});
    EXPECT_EQ(f.observer.lines.count(text::PackNoImagesLog), 1);
    EXPECT_EQ(f.observer.lines.count(text::ImageUnusableLog.arg(QStringLiteral("Img-000.ppm"))), 1);
    EXPECT_FALSE(exists(good));
    EXPECT_TRUE(exists(empty));
    EXPECT_TRUE(exists(other));

    // Mode 1: a PDF that gave nothing gets no folder and stays.
    const QString again = ws.fakePdf(QStringLiteral("pdfs2/nothing.pdf"), {"say no images"});
    const QString kept = ws.jpegFile(QStringLiteral("pdfs2/nothing/mine.jpg"), 4);
    RunFixture images;
    options = pdfOptions(PdfToImageFolder, ws.path(QStringLiteral("pdfs2")), work);
    options.postProcess = DeleteSources;
    ASSERT_TRUE(images.runToEnd(options));
    EXPECT_EQ(images.prompt.texts(), QStringList{finished(0, 0, 1)}); // no question about the existing folder
    EXPECT_TRUE(exists(again));
    EXPECT_TRUE(exists(kept));
}

TEST(PdfRun, AnExistingImageFolderIsReplacedOnlyAfterOk)
{
    Workspace ws;
    const QString work = ws.folder(QStringLiteral("work"));
    const QString img = ws.jpegFile(QStringLiteral("src/1.jpg"), 1);
    ws.fakePdf(QStringLiteral("pdfs/a.pdf"), {"image " + img});
    const QString old = ws.file(QStringLiteral("pdfs/a/old.jpg"), "old");

    RunFixture refused;
    refused.prompt.planAnswer(PromptAnswer::Cancel);
    ASSERT_TRUE(refused.runToEnd(pdfOptions(PdfToImageFolder, ws.path(QStringLiteral("pdfs")), work)));
    EXPECT_EQ(refused.prompt.texts(), QStringList{text::ImageFolderExistsDelete});
    EXPECT_TRUE(exists(old));
    // The run's folder goes with the images; the PDF stays.
    EXPECT_TRUE(QDir(work).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));

    RunFixture replaced;
    ASSERT_TRUE(replaced.runToEnd(pdfOptions(PdfToImageFolder, ws.path(QStringLiteral("pdfs")), work)));
    EXPECT_EQ(replaced.prompt.texts(), (QStringList{text::ImageFolderExistsDelete, finished(1)}));
    EXPECT_FALSE(exists(old));
    EXPECT_EQ(QDir(ws.path(QStringLiteral("pdfs/a"))).entryList(QDir::Files), QStringList{"Img-000.jpg"});
    EXPECT_TRUE(QDir(work).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST(PdfRun, MovingIntoPlaceIsRetriedTwiceBeforeAsking)
{
    Workspace ws;
    const QString work = ws.folder(QStringLiteral("work"));
    const QString img = ws.jpegFile(QStringLiteral("src/1.jpg"), 1);
    ws.fakePdf(QStringLiteral("pdfs/a.pdf"), {"image " + img});

    RunFixture twice;
    FlakyOperations flaky;
    flaky.moveFailures = 2;
    twice.run.setFileOperations(&flaky);
    ASSERT_TRUE(twice.runToEnd(pdfOptions(PdfToImageFolder, ws.path(QStringLiteral("pdfs")), work)));
    EXPECT_EQ(twice.count(text::MoveRetryLog), 2);
    EXPECT_EQ(flaky.pauses, 2);
    EXPECT_EQ(twice.prompt.texts(), QStringList{finished(1)});
    EXPECT_TRUE(exists(ws.path(QStringLiteral("pdfs/a/Img-000.jpg"))));

    // Always failing: two logged retries, the question; Retry tries once at
    // once and then two logged retries again; Cancel ends the run.
    QDir(ws.path(QStringLiteral("pdfs/a"))).removeRecursively();
    RunFixture failing;
    FlakyOperations broken;
    broken.moveFailures = 1000;
    failing.run.setFileOperations(&broken);
    failing.prompt.planAnswer(PromptAnswer::Retry);
    failing.prompt.planAnswer(PromptAnswer::Cancel);
    ASSERT_TRUE(failing.runToEnd(pdfOptions(PdfToImageFolder, ws.path(QStringLiteral("pdfs")), work)));
    EXPECT_EQ(failing.count(text::MoveRetryLog), 4);
    EXPECT_EQ(broken.moves, 1 + 2 + 1 + 2);
    EXPECT_EQ(failing.prompt.texts(), (QStringList{text::MoveFailed, text::MoveFailed}));
    EXPECT_EQ(failing.prompt.shown()[0].buttons, platform::PromptButtons::RetryCancel);
    EXPECT_EQ(failing.run.outcome(), RunOutcome::Ended);
    EXPECT_TRUE(exists(ws.path(QStringLiteral("pdfs/a.pdf"))));
    EXPECT_FALSE(exists(ws.path(QStringLiteral("pdfs/a"))));
}

TEST(PdfRun, AHangingExtractorEndsOnlyByAForcedClose)
{
    Workspace ws;
    const QString work = ws.folder(QStringLiteral("work"));
    const QString img = ws.jpegFile(QStringLiteral("src/1.jpg"), 1);
    const QString pdf = ws.fakePdf(QStringLiteral("pdfs/a.pdf"), {"image " + img, "say working", "hang"});
    ws.fakePdf(QStringLiteral("pdfs/b.pdf"), {"image " + img});

    RunFixture f;
    RunOptions options = pdfOptions(PdfToBook, ws.path(QStringLiteral("pdfs")), work);
    options.postProcess = DeleteSources;
    f.run.start(options);
    ASSERT_TRUE(f.run.extractorConnected());
    // Stop waits for the extractor, which never ends on its own.
    QTimer::singleShot(100, [&] { f.run.requestStop(); });
    EXPECT_FALSE(f.waitForEnd(800));
    EXPECT_TRUE(f.run.running());
    EXPECT_TRUE(f.observer.lines.contains(QStringLiteral("working")));

    f.run.FinishPdf(true, 0);
    EXPECT_FALSE(f.run.running());
    EXPECT_FALSE(f.run.extractorConnected());
    // What a killed extractor wrote is no whole PDF: no book; nothing else
    // happens.
    EXPECT_FALSE(exists(ws.path(QStringLiteral("pdfs/a.kvb"))));
    EXPECT_FALSE(exists(ws.path(QStringLiteral("pdfs/b.kvb"))));
    EXPECT_TRUE(f.prompt.texts().isEmpty());
    EXPECT_TRUE(f.observer.lines.filter(QStringLiteral("Exit code =")).isEmpty());
    EXPECT_TRUE(f.observer.lines.contains(text::ExtractorKilledLog));
    EXPECT_TRUE(exists(pdf));
    EXPECT_EQ(f.run.outcome(), RunOutcome::Ended);
    // No exit is reported after the kill.
    QCoreApplication::processEvents();
    EXPECT_FALSE(f.run.running());
}

TEST(PdfRun, RecyclingFailuresAskRetryOrCancel)
{
    Workspace ws;
    const QString work = ws.folder(QStringLiteral("work"));
    const QString img = ws.jpegFile(QStringLiteral("src/1.jpg"), 1);
    const QString a = ws.fakePdf(QStringLiteral("pdfs/a.pdf"), {"image " + img});
    const QString b = ws.fakePdf(QStringLiteral("pdfs/b.pdf"), {"image " + img});

    RunFixture f;
    FlakyOperations flaky;
    flaky.trashFailures = 2;
    f.run.setFileOperations(&flaky);
    f.prompt.planAnswer(PromptAnswer::Retry);
    f.prompt.planAnswer(PromptAnswer::Cancel);
    RunOptions options = pdfOptions(PdfToBook, ws.path(QStringLiteral("pdfs")), work);
    options.postProcess = RecycleSources;
    ASSERT_TRUE(f.runToEnd(options));
    const QString failed = text::TrashFailedLog.arg(a).arg(EACCES).arg(QString::fromLocal8Bit(std::strerror(EACCES)));
    EXPECT_EQ(f.count(failed), 2);
    EXPECT_EQ(f.prompt.texts(), (QStringList{sourceTexts(SourceKind::Pdf).recycleFailed,
                                             sourceTexts(SourceKind::Pdf).recycleFailed}));
    EXPECT_TRUE(f.observer.texts.contains(sourceTexts(SourceKind::Pdf).recycling));
    EXPECT_EQ(f.run.outcome(), RunOutcome::Ended); // no "完了"
    EXPECT_TRUE(exists(a));
    EXPECT_TRUE(exists(b));

    // Retry that then succeeds goes on to the end.
    RunFixture retried;
    FlakyOperations once;
    once.trashFailures = 1;
    retried.run.setFileOperations(&once);
    retried.prompt.planAnswer(PromptAnswer::Ok);
    retried.prompt.planAnswer(PromptAnswer::Ok);
    retried.prompt.planAnswer(PromptAnswer::Retry);
    ASSERT_TRUE(retried.runToEnd(options));
    EXPECT_EQ(once.trashed, (QStringList{a, b}));
    EXPECT_EQ(retried.prompt.texts().last(), finished(2, 0, 0, 0, 2));
}

TEST(PdfRun, RecyclingMovesTheSourcesToTheTrash)
{
    Workspace ws;
    const QString work = ws.folder(QStringLiteral("work"));
    const QString img = ws.jpegFile(QStringLiteral("src/1.jpg"), 1);
    const QString a = ws.fakePdf(QStringLiteral("pdfs/a.pdf"), {"image " + img});

    RunFixture f;
    RunOptions options = pdfOptions(PdfToBook, ws.path(QStringLiteral("pdfs")), work);
    options.postProcess = RecycleSources;
    ASSERT_TRUE(f.runToEnd(options));
    EXPECT_EQ(f.prompt.texts(), QStringList{finished(1, 0, 0, 0, 1)});
    EXPECT_FALSE(exists(a));
    EXPECT_TRUE(exists(ws.path(QStringLiteral("pdfs/a.kvb"))));
}

// A forced close while a PDF's book is being written (the window's events go
// on meanwhile) lets the book finish, then ends the run: nothing is started
// after it and the run's folder is not pulled from under the write.
TEST(PdfRun, AnAbortWhileABookIsWrittenEndsTheRunOnceItIsWritten)
{
    Workspace ws;
    const QString work = ws.folder(QStringLiteral("work"));
    const QString jpg = ws.jpegFile(QStringLiteral("src/1.jpg"), 1);
    ws.fakePdf(QStringLiteral("pdfs/a.pdf"), {"image " + jpg});
    ws.fakePdf(QStringLiteral("pdfs/b.pdf"), {"image " + jpg});
    RunFixture f;
    bool launched = false;
    bool aborted = false;
    f.observer.onLine = [&](const QString &line) { launched = launched || line.startsWith(f.run.extractorPrefix()); };
    // Aborted once; the events that go on while the book is written (more of
    // them on a busy machine) leave the run to finish it.
    f.observer.onEvents = [&] {
        if (launched && f.run.running() && !aborted) {
            aborted = true;
            f.run.FinishPdf(true, 0);
        }
    };
    ASSERT_TRUE(f.runToEnd(pdfOptions(PdfToBook, ws.path(QStringLiteral("pdfs")), work)));
    ASSERT_TRUE(aborted);
    EXPECT_EQ(pagesOf(ws.path(QStringLiteral("pdfs/a.kvb"))).size(), 1u);
    EXPECT_FALSE(exists(ws.path(QStringLiteral("pdfs/b.kvb"))));
    EXPECT_EQ(f.run.summary().done, 1);
    EXPECT_EQ(f.run.outcome(), RunOutcome::Ended);
}
