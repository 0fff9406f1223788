// The program's command line: usage, one run without a window, Ctrl-C, and
// the answers given to questions.
#include "testfixtures.h"

#include "app/commandline.h"
#include "app/commandlineprompt.h"
#include "core/messages.h"

#include <book/kvbfile.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include "archivefixtures.h"

#include <csignal>
#include <unistd.h>

using namespace harvester;
using harvestertest::Workspace;
using harvestertest::exists;
using harvestertest::readAll;
using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;

namespace {

struct ProgramRun {
    int status = -1;
    QStringList out;
    QStringList err;
};

// The environment with another PATH, to hand the program the stand-in
// extractor as "pdfimages" or no extractor at all.
QProcessEnvironment environmentWithPath(const QString &path)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PATH"), path);
    return env;
}

ProgramRun runHarvester(const QStringList &arguments, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(HARVESTER_PROGRAM), arguments);
    ProgramRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    run.err = QString::fromUtf8(process.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    return run;
}

QString fakeExtractorFolder(const Workspace &ws)
{
    const QString folder = ws.folder(QStringLiteral("bin"));
    QFile::copy(harvestertest::fakeExtractor(), folder + QStringLiteral("/pdfimages"));
    QFile::setPermissions(folder + QStringLiteral("/pdfimages"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return folder;
}

} // namespace

TEST(CommandLine, HelpVersionAndUsageErrors)
{
    const ProgramRun help = runHarvester({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    ASSERT_FALSE(help.out.isEmpty());
    EXPECT_TRUE(help.out[0].startsWith(QStringLiteral("usage: harvester")));

    const ProgramRun version = runHarvester({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.value(0).startsWith(QStringLiteral("Harvester ")));

    struct Case {
        QStringList arguments;
        QString line;
    };
    const std::vector<Case> cases{
        {{"--frobnicate", "/tmp"}, "harvester: unknown option --frobnicate"},
        {{"-x"}, "harvester: unknown option -x"},
        {{"--run", "5", "/tmp"}, "harvester: --run takes 0, 1, 2, 3 or 4"},
        {{"--run", "2"}, "harvester: no folder given"},
        {{"--run", "2", "/a", "/b"}, "harvester: one folder only"},
        {{"--run", "2", "--post", "3", "/tmp"}, "harvester: --post takes 0, 1 or 2"},
        {{"--run", "2", "--target-name", "x", "/tmp"}, "harvester: --target-name takes 0, 1, 2 or 3"},
        {{"--yes", "/tmp"}, "harvester: --yes needs --run"},
        {{"--run"}, "Missing value after '--run'."},
    };
    for (const Case &c : cases) {
        const ProgramRun run = runHarvester(c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments.join(u' ').toStdString();
        ASSERT_EQ(run.err.size(), 1) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err[0].endsWith(c.line)) << run.err[0].toStdString();
    }
}

TEST(CommandLine, DoubleDashMakesOptionLikeNamesFolders)
{
    const CommandLine run = CommandLine::parse({"harvester", "--run", "2", "--", "--help"});
    ASSERT_EQ(run.action, CommandLine::Action::Run);
    EXPECT_EQ(run.options.targetFolder, QDir::current().absoluteFilePath(QStringLiteral("--help")));
    const CommandLine dialog = CommandLine::parse({"harvester", "--", "--work=x"});
    ASSERT_EQ(dialog.action, CommandLine::Action::Dialog);
    EXPECT_EQ(dialog.options.targetFolder, QDir::current().absoluteFilePath(QStringLiteral("--work=x")));
    EXPECT_TRUE(dialog.options.workFolder.isEmpty());
    EXPECT_EQ(CommandLine::parse({"harvester", "-v"}).action, CommandLine::Action::Version);
}

TEST(CommandLine, AFolderNamedInBytesThatAreNotUtf8IsReportedAndNothingRuns)
{
    Workspace ws;
    ws.folder(QStringLiteral("scans/issue"));
    ws.file(QStringLiteral("scans/issue/1.jpg"), Workspace::jpeg(1, 20, 30));
    // Through a shell, so the argument keeps its bytes (QProcess would
    // re-encode it); the folder's real name has U+FFFD where the byte was.
    QProcess process;
    process.setWorkingDirectory(ws.path(QStringLiteral("scans")));
    process.start(QStringLiteral("/bin/sh"),
                  {QStringLiteral("-c"), QStringLiteral("exec \"$0\" --run 2 --yes \"$(printf 'issue\\376')\""),
                   QStringLiteral(HARVESTER_PROGRAM)});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()),
              QStringLiteral("harvester: issue\\xfe: the name is not valid UTF-8 and cannot be used; nothing was done\n"));
    EXPECT_FALSE(exists(ws.path(QStringLiteral("scans/issue.kvb"))));
}

TEST(CommandLine, ParsesOptionsIntoARun)
{
    const CommandLine parsed = CommandLine::parse(
        {"harvester", "--run", "1", "--subfolders", "--post", "2", "--work", "/w", "--cover", "--bind-right",
         "--spread", "--thumbnail", "--name-as-title", "--number-as-date", "--target-name", "3", "--yes", "--",
         "/data/-odd"});
    ASSERT_EQ(parsed.action, CommandLine::Action::Run);
    EXPECT_EQ(parsed.options.mode, PdfToImageFolder);
    EXPECT_EQ(parsed.options.targetFolder, QStringLiteral("/data/-odd"));
    EXPECT_EQ(parsed.options.workFolder, QStringLiteral("/w"));
    EXPECT_TRUE(parsed.options.includeSubfolders);
    EXPECT_EQ(parsed.options.postProcess, DeleteSources);
    EXPECT_TRUE(parsed.options.book.cover && parsed.options.book.bindR && parsed.options.book.spread
                && parsed.options.book.thumb && parsed.options.book.nameAsTitle && parsed.options.book.numberAsDate);
    EXPECT_EQ(parsed.options.book.targetName, 3);
    EXPECT_TRUE(parsed.yes);

    const CommandLine plain = CommandLine::parse({"harvester", "--run", "0", "rel"});
    EXPECT_EQ(plain.options.targetFolder, QDir::current().absoluteFilePath(QStringLiteral("rel")));
    EXPECT_FALSE(plain.options.includeSubfolders);
    EXPECT_FALSE(plain.options.book.cover || plain.options.book.thumb);
    EXPECT_FALSE(plain.yes);

    const CommandLine dialog = CommandLine::parse({"harvester", "--work", "/w", "/pdfs"});
    EXPECT_EQ(dialog.action, CommandLine::Action::Dialog);
    EXPECT_EQ(dialog.options.targetFolder, QStringLiteral("/pdfs"));
}

TEST(CommandLine, QuestionsAreAnsweredByYesWithAtMostThreeRetries)
{
    CommandLinePrompt yes(true, stdout);
    EXPECT_EQ(yes.message(QStringLiteral("q"), PromptIcon::Question, PromptButtons::OkCancel), PromptAnswer::Ok);
    EXPECT_EQ(yes.message(QStringLiteral("q"), PromptIcon::Question, PromptButtons::YesNoDefaultNo), PromptAnswer::Yes);
    yes.setContext(QStringLiteral("item 1"));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(yes.message(QStringLiteral("fail"), PromptIcon::Stop, PromptButtons::RetryCancel), PromptAnswer::Retry);
    EXPECT_EQ(yes.message(QStringLiteral("fail"), PromptIcon::Stop, PromptButtons::RetryCancel), PromptAnswer::Cancel);
    // The same question at another place of the run is a new question.
    yes.setContext(QStringLiteral("item 2"));
    EXPECT_EQ(yes.message(QStringLiteral("fail"), PromptIcon::Stop, PromptButtons::RetryCancel), PromptAnswer::Retry);

    CommandLinePrompt no(false, stdout);
    EXPECT_EQ(no.message(QStringLiteral("q"), PromptIcon::Question, PromptButtons::OkCancel), PromptAnswer::Cancel);
    EXPECT_EQ(no.message(QStringLiteral("q"), PromptIcon::Question, PromptButtons::YesNo), PromptAnswer::No);
    EXPECT_EQ(no.message(QStringLiteral("q"), PromptIcon::Stop, PromptButtons::RetryCancel), PromptAnswer::Cancel);
    EXPECT_EQ(no.message(QStringLiteral("m")), PromptAnswer::Ok);
}

TEST(CommandLine, RunsEndToEndAndExitsByTheOutcome)
{
    Workspace ws;
    const QString extractor = locateExtractor(QString());
    if (extractor.isEmpty())
        GTEST_SKIP() << "pdfimages is not installed";
    const QByteArray page = Workspace::jpeg(1, 100, 140);
    ws.jpegPdf(QStringLiteral("pdfs/Issue 1.pdf"), {page});
    const QString work = ws.folder(QStringLiteral("work"));
    const QStringList arguments{"--run", "0", "--name-as-title", "--work", work, ws.path(QStringLiteral("pdfs"))};

    const ProgramRun first = runHarvester(arguments);
    EXPECT_EQ(first.status, 0);
    ASSERT_EQ(first.out.size(), 3);
    EXPECT_TRUE(first.out[0].startsWith(extractor + QStringLiteral(" -j -png \"")));
    EXPECT_EQ(first.out[1], QStringLiteral("Exit code = 0 (0x0)"));
    EXPECT_EQ(first.out[2], RunSummary{1}.text());
    EXPECT_EQ(first.err, (QStringList{text::Done, RunSummary{1}.text()}));
    kvb::AttributeList attributes;
    kvb::PageList pages;
    ASSERT_TRUE(kvb::KVBFile::readBook(ws.path(QStringLiteral("pdfs/Issue 1.kvb")), nullptr, &attributes, &pages));
    EXPECT_EQ(pages.size(), 1u);
    EXPECT_EQ(attributes.at(0).text, QStringLiteral("Issue 1"));

    // The book exists now: without --yes the overwrite question is refused.
    const ProgramRun refused = runHarvester(arguments);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err.value(0), QString(text::BookExists).section(u'\n', 0, 0));
    EXPECT_EQ(refused.out.mid(refused.out.size() - 2), (QStringList{text::PackCancelLog, RunSummary{0, 0, 1}.text()}));
    EXPECT_EQ(runHarvester(QStringList{"--yes"} + arguments).status, 0);

    // A folder that is not there.
    const ProgramRun missing = runHarvester({"--run", "3", ws.path(QStringLiteral("none"))});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, QStringList{text::BookFolderMissing});

    // No extractor anywhere.
    const ProgramRun noExtractor = runHarvester(arguments, environmentWithPath(ws.folder(QStringLiteral("empty"))));
    EXPECT_EQ(noExtractor.status, 1);
    EXPECT_EQ(noExtractor.err, QStringList{text::ExtractorMissing});
}

TEST(CommandLine, ARunWithAFailedItemExitsOne)
{
    Workspace ws;
    const QString img = ws.jpegFile(QStringLiteral("src/1.jpg"), 1);
    const QString good = ws.fakePdf(QStringLiteral("pdfs/good.pdf"), {"image " + img});
    const QString short_ = ws.fakePdf(QStringLiteral("pdfs/short.pdf"), {"image " + img, "lost " + img});
    const QProcessEnvironment env = environmentWithPath(fakeExtractorFolder(ws) + QStringLiteral(":/usr/bin:/bin"));
    const ProgramRun run = runHarvester(
        {"--run", "0", "--yes", "--post", "2", "--work", ws.folder(QStringLiteral("work")), ws.path(QStringLiteral("pdfs"))},
        env);
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(exists(good));
    EXPECT_TRUE(exists(short_));
}

TEST(CommandLine, TheExtractorDiesWithHarvesterAndTheNextRunTakesNothingItLeft)
{
    Workspace ws;
    const QString img = ws.jpegFile(QStringLiteral("src/1.jpg"), 1);
    const QString pdf = ws.fakePdf(QStringLiteral("pdfs/a.pdf"), {"image " + img, "pid", "hang"});
    const QString work = ws.folder(QStringLiteral("work"));
    const QProcessEnvironment env = environmentWithPath(fakeExtractorFolder(ws) + QStringLiteral(":/usr/bin:/bin"));

    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(HARVESTER_PROGRAM), {"--run", "0", "--post", "2", "--work", work, ws.path(QStringLiteral("pdfs"))});
    pid_t extractor = 0;
    ASSERT_TRUE(harvestertest::RunFixture::waitFor([&] {
        process.waitForReadyRead(50);
        for (const QByteArray &line : process.peek(1 << 16).split('\n')) {
            if (line.startsWith("pid "))
                extractor = pid_t(line.mid(4).toInt());
        }
        return extractor > 0;
    }));
    ::kill(pid_t(process.processId()), SIGKILL);
    ASSERT_TRUE(process.waitForFinished(10000));
    // Gone (or only waiting to be reaped) soon after.
    auto alive = [extractor] {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(extractor));
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray fields = stat.readAll();
        return !fields.mid(fields.lastIndexOf(')') + 2, 1).startsWith('Z');
    };
    const bool died = harvestertest::RunFixture::waitFor([&] { return !alive(); }, 5000);
    if (!died)
        ::kill(extractor, SIGKILL);
    EXPECT_TRUE(died);

    // The next run makes the book from this PDF's images alone.
    ws.fakePdf(QStringLiteral("pdfs/a.pdf"), {"image " + img});
    const ProgramRun next = runHarvester({"--run", "0", "--yes", "--work", work, ws.path(QStringLiteral("pdfs"))}, env);
    EXPECT_EQ(next.status, 0);
    EXPECT_EQ(harvestertest::pagesOf(ws.path(QStringLiteral("pdfs/a.kvb"))).size(), 1u);
    EXPECT_TRUE(QDir(work).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST(CommandLine, CtrlCStopsAndASecondOneEndsAHangingExtractor)
{
    Workspace ws;
    const QString img = ws.jpegFile(QStringLiteral("src/1.jpg"), 1);
    ws.fakePdf(QStringLiteral("pdfs/a.pdf"), {"image " + img, "say started", "hang"});
    ws.fakePdf(QStringLiteral("pdfs/b.pdf"), {"image " + img});

    QProcess process;
    process.setProcessEnvironment(environmentWithPath(fakeExtractorFolder(ws) + QStringLiteral(":/usr/bin:/bin")));
    process.setChildProcessModifier([] { ::setpgid(0, 0); }); // a group of its own, as a terminal's job
    process.start(QStringLiteral(HARVESTER_PROGRAM),
                  {"--run", "0", "--post", "2", "--work", ws.folder(QStringLiteral("work")), ws.path(QStringLiteral("pdfs"))});
    ASSERT_TRUE(harvestertest::RunFixture::waitFor([&] {
        process.waitForReadyRead(50);
        return process.peek(1 << 16).contains("started");
    }));
    // As a terminal sends it: to the program's whole process group.
    ::kill(-pid_t(process.processId()), SIGINT);
    EXPECT_FALSE(process.waitForFinished(700)); // Stop waits for the extractor
    ::kill(pid_t(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_FALSE(exists(ws.path(QStringLiteral("pdfs/a.kvb"))));
    EXPECT_FALSE(exists(ws.path(QStringLiteral("pdfs/b.kvb"))));
    EXPECT_TRUE(exists(ws.path(QStringLiteral("pdfs/a.pdf"))));
}

TEST(CommandLine, RunFourPacksArchivesAndKeepsADamagedOne)
{
    Workspace ws;
    const QString good = ws.path(QStringLiteral("comics/Good.cbz"));
    ws.folder(QStringLiteral("comics"));
    ASSERT_TRUE(archivefixtures::writeArchive(good, "zip", {{QStringLiteral("1.jpg"), Workspace::jpeg(1)}}));
    const QByteArray whole = readAll(good);
    const QString cut = ws.file(QStringLiteral("comics/Cut.zip"), whole.left(whole.size() / 2));
    const ProgramRun run = runHarvester({"--run", "4", "--yes", "--post", "2", ws.path(QStringLiteral("comics"))});
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(exists(good));
    EXPECT_EQ(harvestertest::pagesOf(ws.path(QStringLiteral("comics/Good.kvb"))).size(), 1u);
    EXPECT_TRUE(exists(cut));
    EXPECT_FALSE(exists(ws.path(QStringLiteral("comics/Cut.kvb"))));
    EXPECT_EQ(run.out.constLast(), (RunSummary{1, 1, 0, 1}.text()));
}
