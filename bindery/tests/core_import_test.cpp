// Ways pages come in: addPages ordering and messages, folder images, folder as
// document with its name rules, and the command line.
#include "testfixtures.h"

#include "core/binderyeditor.h"
#include "core/commandline.h"
#include "core/folderdate.h"
#include "core/messages.h"

#include <archive/archiveimport.h>
#include <book/kvbfile.h>
#include <picture/picture.h>
#include <tests/archivefixtures.h>
#include <platform/commandline.h>
#include <platform/filenames.h>
#include <platform/paths.h>

#include <QScopeGuard>

#include <gtest/gtest.h>

using namespace bindery;
using binderytest::Workspace;
using platform::ScriptedPrompt;
using testsupport::BookBytes;

namespace {

QStringList pageNames(const BookDocument &d)
{
    QStringList names;
    for (const auto &page : d.pages)
        names << page.sourcePath.section(u'/', -1) + (page.offset ? QStringLiteral("@") + QString::number(page.offset) : QString());
    return names;
}

QString twoPageBook(const Workspace &ws, const QString &name)
{
    BookBytes book;
    book.header(2).page(kvb::Jpeg, binderytest::jpegBytes()).page(kvb::Png, binderytest::pngBytes());
    return ws.file(name, book.bytes());
}

} // namespace

TEST(BinderyAddPages, CapitalLettersSortFirstAndBooksKeepTheirPageOrder)
{
    Workspace ws;
    ScriptedPrompt prompt;
    BinderyEditor editor(prompt);
    const QString b = ws.picture(QStringLiteral("b.jpg"));
    const QString A = ws.picture(QStringLiteral("A.png"));
    const QString a = ws.picture(QStringLiteral("a.bmp"));
    const QString book = twoPageBook(ws, QStringLiteral("Ab.kvb"));
    ASSERT_TRUE(editor.addPagesCommand({b, A, book, a}));
    const QStringList names = pageNames(editor.document());
    ASSERT_EQ(names.size(), 5);
    EXPECT_EQ(names[0], QStringLiteral("A.png"));
    EXPECT_TRUE(names[1].startsWith(QStringLiteral("Ab.kvb@")));
    EXPECT_TRUE(names[2].startsWith(QStringLiteral("Ab.kvb@")));
    EXPECT_LT(editor.document().pages[1].offset, editor.document().pages[2].offset);
    EXPECT_EQ(names[3], QStringLiteral("a.bmp"));
    EXPECT_EQ(names[4], QStringLiteral("b.jpg"));
    EXPECT_TRUE(editor.document().modified);
    EXPECT_TRUE(editor.takeChanges() & ChangeScrollToEnd);
    EXPECT_TRUE(prompt.texts().isEmpty());
}

TEST(BinderyAddPages, MessagesComeInPathOrderAndNothingUsableChangesNothing)
{
    Workspace ws;
    ScriptedPrompt prompt;
    BinderyEditor editor(prompt);
    const QString empty = ws.file(QStringLiteral("empty.jpg"), {});
    const QString text = ws.file(QStringLiteral("notes.txt"), "hello");
    const QString broken = ws.file(QStringLiteral("broken.kvb"), "xx");
    EXPECT_FALSE(editor.addPagesCommand({empty, text, broken}));
    EXPECT_EQ(prompt.texts(), (QStringList{text::BadSize, text::BookUnreadable, text::NothingFound}));
    EXPECT_EQ(editor.document().pageCount(), 0);
    EXPECT_FALSE(editor.document().modified);

    // Undecodable pictures are still added, without thumbnail, with one
    // message each in page order.
    prompt.clear();
    const QString bad1 = ws.file(QStringLiteral("x1.png"), "not a png");
    const QString good = ws.picture(QStringLiteral("x2.jpg"));
    const QString bad3 = ws.file(QStringLiteral("x3.jpg"), "not a jpeg");
    ASSERT_TRUE(editor.addPagesCommand({bad3, good, bad1}));
    EXPECT_EQ(prompt.texts(), (QStringList{text::PictureUnreadable, text::PictureUnreadable}));
    ASSERT_EQ(editor.document().pageCount(), 3);
    EXPECT_TRUE(editor.document().pages[0].thumbnail.isNull());
    EXPECT_FALSE(editor.document().pages[1].thumbnail.isNull());
}

TEST(BinderyAddPages, ThumbnailsHaveTheSizeOfTheFullPictureRule)
{
    Workspace ws;
    ScriptedPrompt prompt;
    BinderyEditor editor(prompt);
    editor.setThumbnailBox(QSize(123, 154));
    // Odd sizes where a reduced decode rounds differently from the full picture.
    const QString tall = ws.picture(QStringLiteral("t.jpg"), 997, 1999);
    const QString wide = ws.picture(QStringLiteral("w.jpg"), 2001, 1003);
    const QString small = ws.picture(QStringLiteral("s.png"), 30, 20);
    ASSERT_TRUE(editor.addPages({tall, wide, small}));
    for (const auto &page : editor.document().pages) {
        QImage full;
        ASSERT_TRUE(kvb::loadPagePicture(page, full));
        EXPECT_EQ(page.thumbnail.size(), kvb::makeListThumbnail(full, QSize(123, 154)).size()) << page.sourcePath.toStdString();
    }
}

TEST(BinderyImportCommands, AddImagesAndFolderImagesRememberTheirFolders)
{
    Workspace ws;
    ScriptedPrompt prompt;
    BinderyEditor editor(prompt);
    const QString folder = ws.folder(QStringLiteral("pics/set"));
    const QString p2 = ws.picture(QStringLiteral("pics/set/2.jpg"));
    const QString p1 = ws.picture(QStringLiteral("pics/set/1.png"));
    ws.file(QStringLiteral("pics/set/readme.txt"), "x");
    ws.picture(QStringLiteral("pics/set/sub/3.jpg"));

    prompt.planFiles({p2, p1});
    ASSERT_TRUE(editor.runCommand(CmdAddImages));
    EXPECT_EQ(editor.settings().imageFolder, folder);
    EXPECT_EQ(prompt.dialogs().back().kind, QStringLiteral("openFiles"));

    prompt.planPath(folder);
    ASSERT_TRUE(editor.runCommand(CmdAddFolderImages));
    EXPECT_EQ(editor.settings().imageFolder2, ws.path(QStringLiteral("pics")));
    EXPECT_EQ(prompt.dialogs().back().caption, text::FolderCaption);
    EXPECT_EQ(pageNames(editor.document()), (QStringList{"1.png", "2.jpg", "1.png", "2.jpg"}));

    // Cancelled dialogs change nothing.
    EXPECT_FALSE(editor.runCommand(CmdAddImages));
    EXPECT_EQ(editor.document().pageCount(), 4);
}

TEST(BinderyFolderName, LeadingNumbersOfFourSixAndEightDigits)
{
    kvb::LeadingDate d = clampedFolderDate(QStringLiteral("20210305 My Title"));
    EXPECT_TRUE(d.dated);
    EXPECT_EQ(d.date, (kvb::BookDate{2021, 3, 5}));
    EXPECT_EQ(d.rest, QStringLiteral("My Title"));

    d = clampedFolderDate(QStringLiteral("202113\u3000Title"));
    EXPECT_TRUE(d.dated);
    EXPECT_EQ(d.date.month, 12);
    EXPECT_EQ(d.date.day, 0);
    EXPECT_EQ(d.rest, QStringLiteral("Title"));

    d = clampedFolderDate(QStringLiteral("20211240"));
    EXPECT_EQ(d.date.day, 31);
    EXPECT_TRUE(d.rest.isEmpty());

    d = clampedFolderDate(QStringLiteral("1999x"));
    EXPECT_TRUE(d.dated);
    EXPECT_EQ(d.date.year, 1999);
    EXPECT_EQ(d.rest, QStringLiteral("x"));

    for (const QString &name : {QStringLiteral("12345 Five"), QStringLiteral("Title"), QString()}) {
        d = clampedFolderDate(name);
        EXPECT_FALSE(d.dated);
        EXPECT_EQ(d.rest, name);
    }
}

TEST(BinderyAddPages, LongWorkBeginsAndEndsItsProgressAndPumpsOnlyInside)
{
    // A begin without its end would leave the window refusing every command.
    struct Counting : platform::Progress {
        void begin(const QString &, int) override { ++begun, ++depth; }
        void end() override { --depth; }
        void processEvents() override { pumpedOutside += depth <= 0; }
        int begun = 0, depth = 0, pumpedOutside = 0;
    } progress;
    Workspace ws;
    ScriptedPrompt prompt;
    BinderyEditor editor(prompt);
    editor.setProgress(progress);
    const QString folder = ws.folder(QStringLiteral("pages"));
    for (int i = 0; i < 6; ++i)
        ws.picture(QStringLiteral("pages/p%1.jpg").arg(i), 400, 600);
    editor.openFolderAsDocument(folder);
    ASSERT_EQ(editor.document().pageCount(), 6);
    // A failed open ends its work too.
    editor.openBookFile(ws.file(QStringLiteral("broken.kvb"), QByteArray("not a book")));
    EXPECT_GE(progress.begun, 2);
    EXPECT_EQ(progress.depth, 0);
    EXPECT_EQ(progress.pumpedOutside, 0);
}

TEST(BinderyFolderAsDocument, NameGivesTitleDateAndParentGivesCircle)
{
    Workspace ws;
    ScriptedPrompt prompt;
    BinderyEditor editor(prompt);
    editor.settings().nameAsTitle = true;
    editor.settings().nameTopAsDate = true;
    editor.settings().parentNameAs = 3;
    const QString folder = ws.folder(QStringLiteral("Circle X/20210305 My Title"));
    ws.picture(QStringLiteral("Circle X/20210305 My Title/b.jpg"));
    ws.picture(QStringLiteral("Circle X/20210305 My Title/a.jpg"));
    editor.document().month = 9;

    prompt.planPath(folder + u'/');
    ASSERT_TRUE(editor.runCommand(CmdOpenFolderAsDocument));
    const BookDocument &d = editor.document();
    EXPECT_EQ(d.title, QStringLiteral("My Title"));
    EXPECT_TRUE(d.datePresent);
    EXPECT_EQ(d.year, 2021);
    EXPECT_EQ(d.month, 3);
    EXPECT_EQ(d.day, 5);
    EXPECT_EQ(d.circle, QStringLiteral("Circle X"));
    EXPECT_EQ(d.documentPath, ws.path(QStringLiteral("Circle X/20210305 My Title.kvb")));
    EXPECT_EQ(pageNames(d), (QStringList{"a.jpg", "b.jpg"}));
    EXPECT_TRUE(d.modified);
    EXPECT_EQ(editor.settings().asDocFolder, ws.path(QStringLiteral("Circle X")));
    EXPECT_EQ(prompt.dialogs().back().caption, text::FolderAsDocCaption);

    // A second run asks first; Cancel keeps the document.
    prompt.planAnswer(platform::PromptAnswer::Cancel);
    EXPECT_FALSE(editor.runCommand(CmdOpenFolderAsDocument));
    EXPECT_EQ(prompt.texts().back(), text::ClearQuestion);
    EXPECT_EQ(editor.document().pageCount(), 2);

    // Four digits give the year; month and day the name does not give are left open.
    const QString four = ws.folder(QStringLiteral("Circle X/1999 Old"));
    ws.picture(QStringLiteral("Circle X/1999 Old/p.jpg"));
    prompt.planPath(four);
    ASSERT_TRUE(editor.runCommand(CmdOpenFolderAsDocument));
    EXPECT_EQ(editor.document().title, QStringLiteral("Old"));
    EXPECT_TRUE(editor.document().datePresent);
    EXPECT_EQ(editor.document().year, 1999);
    EXPECT_EQ(editor.document().month, 0);
    EXPECT_EQ(editor.document().day, 0);

    // Five digits: the name stays whole and the date box is cleared.
    const QString five = ws.folder(QStringLiteral("Circle X/12345 Five"));
    ws.picture(QStringLiteral("Circle X/12345 Five/p.jpg"));
    prompt.planPath(five);
    ASSERT_TRUE(editor.runCommand(CmdOpenFolderAsDocument));
    EXPECT_EQ(editor.document().title, QStringLiteral("12345 Five"));
    EXPECT_FALSE(editor.document().datePresent);
    EXPECT_EQ(editor.document().pageCount(), 1);
}

TEST(BinderyCommandLine, OnlyTheDOptionMeansSomething)
{
    const auto none = [](const QString &) { return false; };
    CommandLine c = splitCommandLine(QStringLiteral("a.jpg /d /Q b.png"), none);
    EXPECT_TRUE(c.openFolderAsDocument);
    EXPECT_EQ(c.paths, (QStringList{"a.jpg", "b.png"}));
    EXPECT_TRUE(splitCommandLine(QStringLiteral("/X /Dfolder"), none).openFolderAsDocument);
    EXPECT_FALSE(splitCommandLine(QStringLiteral("/X /Q x"), none).openFolderAsDocument);
    // An existing path starting with '/' is no option.
    const auto exists = [](const QString &p) { return p == QStringLiteral("/d"); };
    EXPECT_FALSE(splitCommandLine(QStringLiteral("/d"), exists).openFolderAsDocument);
}

TEST(BinderyCommandLine, OneBookOpensUnchangedAndMixedPathsMakeANewDocument)
{
    Workspace ws;
    const QString book = twoPageBook(ws, QStringLiteral("my book.kvb"));
    const QString picture = ws.picture(QStringLiteral("z.jpg"));
    {
        ScriptedPrompt prompt;
        BinderyEditor editor(prompt);
        editor.processArguments({book});
        EXPECT_EQ(editor.document().documentPath, book);
        EXPECT_EQ(editor.document().pageCount(), 2);
        EXPECT_FALSE(editor.document().modified);
    }
    {
        ScriptedPrompt prompt;
        BinderyEditor editor(prompt);
        editor.processArguments({book, picture, ws.path(QStringLiteral("missing.jpg"))});
        EXPECT_TRUE(editor.document().documentPath.isEmpty());
        EXPECT_EQ(editor.document().pageCount(), 3);
        EXPECT_TRUE(editor.document().modified);
        EXPECT_TRUE(prompt.texts().isEmpty());
    }
    {
        // A folder takes the paths before it and ends the walk.
        ScriptedPrompt prompt;
        BinderyEditor editor(prompt);
        const QString folder = ws.folder(QStringLiteral("f"));
        ws.picture(QStringLiteral("f/1.jpg"));
        editor.processArguments({picture, folder, book});
        EXPECT_EQ(editor.document().pageCount(), 2);
        EXPECT_TRUE(editor.document().modified);
    }
    {
        // "/D" opens the first existing folder as the document.
        ScriptedPrompt prompt;
        BinderyEditor editor(prompt);
        editor.settings().nameAsTitle = true;
        editor.settings().nameTopAsDate = false;
        editor.processArguments({QStringLiteral("/D"), picture, ws.path(QStringLiteral("f"))});
        EXPECT_EQ(editor.document().title, QStringLiteral("f"));
        EXPECT_EQ(editor.document().documentPath, ws.path(QStringLiteral("f.kvb")));
        EXPECT_EQ(editor.document().pageCount(), 1);
        EXPECT_TRUE(editor.document().modified);
    }
}

TEST(BinderyCommandLine, EmptyWordsAreDroppedNotReportedAsMissingPaths)
{
    const auto none = [](const QString &) { return false; };
    // An unmatched "*.jpg" and other words that start with a character no
    // path may hold leave nothing; an empty argument is no path either.
    EXPECT_TRUE(splitCommandLine(QStringLiteral("*.jpg |a <b ? \"\""), none).paths.isEmpty());

    Workspace ws;
    ScriptedPrompt prompt;
    BinderyEditor editor(prompt);
    editor.processArguments({QStringLiteral("*.jpg"), QString(), QStringLiteral("?")});
    EXPECT_TRUE(prompt.texts().isEmpty());
    EXPECT_EQ(editor.document().pageCount(), 0);
    EXPECT_FALSE(editor.document().modified);
    // A path that names nothing still gets the not-found message.
    editor.processArguments({ws.path(QStringLiteral("missing.jpg"))});
    EXPECT_EQ(prompt.texts(), QStringList{text::NothingFound});
}

TEST(BinderyCommandLine, HelpVersionAndDoubleDashComeBeforeTheEditorsRules)
{
    LaunchArguments launch;
    EXPECT_EQ(readLaunchArguments({{"bindery", "/D", "--help"}, {}, {}}, launch), 0);
    EXPECT_EQ(readLaunchArguments({{"bindery", "--version"}, {}, {}}, launch), 0);
    EXPECT_EQ(readLaunchArguments({{"bindery", "a.jpg", "--bogus"}, {}, {}}, launch), 2);
    const char *unusableShot[] = {"bindery", "--screenshot", "s\xff.png", "book.kvb"};
    EXPECT_EQ(readLaunchArguments(platform::programArguments(4, unusableShot), launch), 2);

    ASSERT_FALSE(readLaunchArguments({{"bindery", "/d", "--screenshot", "s.png", "a.jpg", "--", "/D", "--help"}, {}, {}},
                                     launch));
    EXPECT_EQ(launch.screenshot, QStringLiteral("s.png"));
    EXPECT_EQ(launch.words, (QStringList{"/d", "a.jpg"}));
    EXPECT_EQ(launch.paths, (QStringList{"/D", "--help"}));
    // After "--" a word starting with '/' is a path even when nothing is there.
    const CommandLine after = splitCommandLine(QStringLiteral("/D"), [](const QString &) { return false; }, false);
    EXPECT_FALSE(after.openFolderAsDocument);
    EXPECT_EQ(after.paths, QStringList{"/D"});
}

TEST(BinderyImport, NamesThatAreNotUtf8AreTakenAndSavedByTheirBytes)
{
    // A folder named 日本 in CP932 with pictures named あ in CP932 and in bytes
    // that are no text at all.
    Workspace ws;
    const QString parent = ws.folder(QStringLiteral("p"));
    ASSERT_TRUE(testsupport::makeRawNamedFolder(parent, "\x93\xfa\x96\x7b"));
    const QString folder = parent + u'/' + platform::nameFromBytes("\x93\xfa\x96\x7b");
    const auto cleanup = qScopeGuard([&] {
        testsupport::removeRawNamedEntries(folder);
        testsupport::removeRawNamedEntries(parent);
    });
    ASSERT_TRUE(testsupport::writeRawNamedFile(folder, "1.jpg", binderytest::jpegBytes()));
    ASSERT_TRUE(testsupport::writeRawNamedFile(folder, "\x82\xa0.jpg", binderytest::jpegBytes(30, 30)));
    ASSERT_TRUE(testsupport::writeRawNamedFile(folder, "bad\xff.png", binderytest::pngBytes()));

    ScriptedPrompt prompt;
    BinderyEditor editor(prompt);
    LaunchArguments launch;
    launch.words = QStringList{QStringLiteral("/D"), folder};
    editor.processLaunchArguments(launch);
    EXPECT_TRUE(prompt.texts().isEmpty()) << prompt.texts().join(u'\n').toStdString();
    ASSERT_EQ(editor.document().pageCount(), 3);
    EXPECT_EQ(editor.document().title, QStringLiteral("日本"));
    EXPECT_EQ(editor.document().documentPath, folder + QStringLiteral(".kvb"));
    // Saved beside the folder under the folder's own bytes.
    ASSERT_TRUE(editor.save());
    kvb::PageList pages;
    ASSERT_TRUE(kvb::KVBFile::readBook(folder + QStringLiteral(".kvb"), nullptr, nullptr, &pages));
    ASSERT_EQ(pages.size(), 3u);

    // Such a name on the command line is opened too.
    BinderyEditor other(prompt);
    prompt.clear();
    launch.words = QStringList{folder + u'/' + platform::nameFromBytes("bad\xff.png")};
    other.processLaunchArguments(launch);
    EXPECT_TRUE(prompt.texts().isEmpty());
    EXPECT_EQ(other.document().pageCount(), 1);
}

TEST(BinderyArchives, PagesComeInBookOrderAtTheArchivesPlaceAndTheDocumentLeavesAsCbz)
{
    Workspace ws;
    ScriptedPrompt prompt;
    BinderyEditor editor(prompt);
    const QString scratch = ws.folder(QStringLiteral("scratch"));
    editor.setScratchFolder(scratch);
    const QByteArray jpeg = binderytest::jpegBytes();
    const QByteArray png = binderytest::pngBytes();
    const QString archive = ws.path(QStringLiteral("B comic.cbz"));
    ASSERT_TRUE(archivefixtures::writeArchive(
        archive, "zip",
        {{QStringLiteral("ComicInfo.xml"), "<ComicInfo><Title>Comic</Title><Manga>YesAndRightToLeft</Manga>"
                                           "<Genre>SF</Genre></ComicInfo>"},
         {QStringLiteral("ch/10.jpg"), jpeg}, {QStringLiteral("ch/9.png"), png}}));
    archivefixtures::ZipBytes::Entry locked = archivefixtures::ZipBytes::stored("1.jpg", jpeg);
    locked.flags = 1;
    const QString encrypted = ws.file(QStringLiteral("locked.cbz"), archivefixtures::ZipBytes().add(locked).bytes());

    // Dropped beside pictures: the archive's pages together, in book order,
    // where its path sorts; an archive that cannot be read says why.
    const QString a = ws.picture(QStringLiteral("A.jpg"));
    const QString c = ws.picture(QStringLiteral("C.png"));
    ASSERT_TRUE(editor.dropFiles({c, archive, encrypted, a}));
    const BookDocument &d = editor.document();
    ASSERT_EQ(d.pageCount(), 4);
    EXPECT_EQ(d.pages[0].sourcePath, a);
    EXPECT_EQ(d.pages[1].kind, kvb::Png);
    EXPECT_EQ(d.pages[2].kind, kvb::Jpeg);
    EXPECT_EQ(d.pages[3].sourcePath, c);
    EXPECT_EQ(prompt.texts(), (QStringList{text::ArchiveUnreadable.arg(
                                  encrypted, QStringLiteral("encrypted archives are not supported: 1.jpg"))}));

    // Opened as a document: ComicInfo.xml's values, the name rules where it
    // gives none, and the scratch file of the pages dropped before goes.
    prompt.clear();
    editor.settings().nameAsTitle = true;
    editor.settings().parentNameAs = 3;
    editor.document().bindRight = false;
    prompt.planAnswer(platform::PromptAnswer::Ok);
    prompt.planPath(archive);
    ASSERT_TRUE(editor.runCommand(CmdOpenBook));
    EXPECT_TRUE(prompt.dialogs()[0].filter.endsWith(text::ArchiveFilter));
    EXPECT_EQ(d.title, QStringLiteral("Comic"));
    EXPECT_EQ(d.circle, platform::fileNameOf(platform::folderOf(archive)));
    EXPECT_TRUE(d.bindRight);
    EXPECT_EQ(d.documentPath, ws.path(QStringLiteral("B comic.kvb")));
    ASSERT_EQ(d.otherAttributes.size(), 1u);
    EXPECT_EQ(d.otherAttributes[0].name, QStringLiteral("Genre"));
    ASSERT_EQ(d.pageCount(), 2);
    EXPECT_EQ(QDir(scratch).entryList(QDir::Files).size(), 1);

    // Out again as a CBZ that reads back to the same pages and attributes.
    const QString out = ws.path(QStringLiteral("out"));
    prompt.planPath(out);
    ASSERT_TRUE(editor.runCommand(CmdExportArchive));
    EXPECT_EQ(prompt.dialogs().back().filter, text::CbzFilter);
    EXPECT_EQ(prompt.texts().back(), text::Exported);
    const QString book = ws.path(QStringLiteral("back.kvb"));
    const kvb::ArchiveImport back = kvb::makeBookFromArchive(out + QStringLiteral(".cbz"), book);
    ASSERT_FALSE(back.problem) << kvb::describeProblem(back.problem).toStdString();
    kvb::BookHeader header;
    kvb::AttributeList attributes;
    kvb::PageList pages;
    ASSERT_TRUE(kvb::KVBFile::readBook(book, &header, &attributes, &pages));
    EXPECT_TRUE(header.layoutFlags & kvb::BindR);
    EXPECT_EQ(attributes.front().text, QStringLiteral("Comic"));
    ASSERT_EQ(pages.size(), 2u);
    QByteArray first;
    ASSERT_TRUE(kvb::KVBFile::readPageData(pages[0], [&](const char *data, size_t size) {
        first.append(data, qsizetype(size));
        return true;
    }));
    EXPECT_EQ(first, png);

    editor.clear();
    EXPECT_TRUE(QDir(scratch).isEmpty());
}
