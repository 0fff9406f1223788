// The list screens without a window: folder listing, navigation, screen
// switching, deleting and the return from a book.
#include "shelf/folderlisting.h"
#include "shelf/shelfmodel.h"
#include "shelf_testbooks.h"

#include "shelf/listcommands.h"

#include "platform/filenames.h"

#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace leafreader;
using shelftest::TestBook;

namespace {

class ShelfModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        root = m_dir.path();
        library = root + "/library";
        QDir().mkpath(library + "/sub/deeper");
        QDir().mkpath(library + "/.hidden");
        ASSERT_TRUE(shelftest::writeBook(library + "/vol 10.kvb", TestBook{}));
        ASSERT_TRUE(shelftest::writeBook(library + "/vol 9.kvb", TestBook{}));
        TestBook dated;
        dated.title = "Dated";
        dated.year = 2020;
        dated.month = 4;
        dated.author = "Writer";
        ASSERT_TRUE(shelftest::writeBook(library + "/dated.KVB", dated));
        ASSERT_TRUE(testsupport::writeFile(library + "/broken.kvb", "not a book"));
        ASSERT_TRUE(testsupport::writeFile(library + "/picture.jpg", "jpeg"));
        ASSERT_TRUE(shelftest::writeBook(library + "/.secret.kvb", TestBook{}));
        model.setDriveSource([this] {
            return std::vector<platform::Drive>{{"/", "System"}, {root, "Test"}};
        });
        model.setPersist([this] { ++persisted; });
    }

    QStringList rowTitles() const
    {
        QStringList out;
        for (const BookEntry &r : model.rows())
            out << r.title;
        return out;
    }

    QTemporaryDir m_dir;
    QString root, library;
    ShelfSettings settings;
    platform::ScriptedPrompt prompt;
    ShelfModel model{settings, prompt};
    int persisted = 0;
};

} // namespace

TEST_F(ShelfModelTest, ListsVisibleFoldersAndBooksSorted)
{
    settings.currentFolder = library;
    settings.sortModeF = 0;
    model.start();
    EXPECT_EQ(rowTitles(), QStringList({"sub", "Dated", "vol 9", "vol 10"}));
    EXPECT_EQ(model.folderBookCount(), 3);
    EXPECT_EQ(model.headerLine1(), "Folder (3)");
    EXPECT_EQ(model.headerLine2(), library);
    ASSERT_EQ(prompt.texts().size(), 1);
    EXPECT_EQ(prompt.texts()[0], "ファイル情報の取得に失敗しました。\n" + library + "/broken.kvb");

    const BookEntry &vol9 = model.rows()[2];
    EXPECT_EQ(vol9.kind, BookEntry::BookFile);
    EXPECT_EQ(vol9.subtitle, " ");
    EXPECT_EQ(vol9.pageCount, 2);
    // The thumbnail is read when a tile shows it, not by the listing.
    EXPECT_EQ(vol9.thumbnailFlag, 1);
    EXPECT_TRUE(vol9.thumbnail.isEmpty());
    EXPECT_EQ(readRowThumbnail(vol9.path).size(), 96000);
    EXPECT_EQ(vol9.page, -1);
    EXPECT_GT(vol9.fileSize, 96000u);

    // Date order: the dated book first, undated ones by title; folders by title.
    settings.sortModeF = 2;
    model.relist();
    EXPECT_EQ(rowTitles(), QStringList({"sub", "Dated", "vol 10", "vol 9"}));
}

TEST_F(ShelfModelTest, BookRowsTakeTheirResumePosition)
{
    settings.resume[0] = "2|7|2|3|1|" + library + "/vol 9.kvb";
    settings.resume[1] = "2|9|2|0|0|" + library + "/vol 9.kvb";
    settings.currentFolder = library;
    model.start();
    EXPECT_TRUE(model.onResumeScreen()); // a resume list makes it the first screen
    // The resume screen, too, leaves the thumbnails to the tiles that show them.
    ASSERT_EQ(model.rows().size(), 2u);
    EXPECT_EQ(model.rows()[0].thumbnailFlag, 1);
    EXPECT_TRUE(model.rows()[0].thumbnail.isEmpty());
    model.switchScreen(false);
    const auto &rows = model.rows();
    const auto it = std::find_if(rows.begin(), rows.end(), [](const BookEntry &r) { return r.title == "vol 9"; });
    ASSERT_NE(it, rows.end());
    EXPECT_EQ(it->page, 7);
    EXPECT_EQ(it->zoom, 3);
    EXPECT_EQ(it->singlePage, 1);
}

TEST_F(ShelfModelTest, PathsDifferingInCaseAreDifferentBooks)
{
    // Linux file names are case-sensitive: "vol 9.kvb" and "VOL 9.kvb" are
    // two books, and the resume position of one is not the other's.
    ASSERT_TRUE(shelftest::writeBook(library + "/VOL 9.kvb", TestBook{}));
    settings.resume[0] = "2|2|2|0|0|" + library + "/VOL 9.kvb";
    settings.currentFolder = library;
    settings.sortModeF = 0;
    model.start();
    model.switchScreen(false);
    int positions = 0;
    for (const BookEntry &r : model.rows())
        positions += r.page >= 0 ? 1 : 0;
    EXPECT_EQ(positions, 1);
    const auto lower = std::find_if(model.rows().begin(), model.rows().end(),
                                    [this](const BookEntry &r) { return r.path == library + "/vol 9.kvb"; });
    ASSERT_NE(lower, model.rows().end());
    model.select(int(lower - model.rows().begin()));
    EXPECT_FALSE(model.deleteResume([] { return true; }));
    EXPECT_EQ(model.resume().size(), 1);
}

TEST_F(ShelfModelTest, UpOneFolderAndDriveList)
{
    settings.currentFolder = library + "/sub/deeper";
    model.start();
    EXPECT_TRUE(model.upOneFolder());
    EXPECT_EQ(model.currentFolder(), library + "/sub");
    EXPECT_EQ(model.rows()[size_t(model.selected())].title, "deeper");
    EXPECT_TRUE(model.upOneFolder());
    EXPECT_EQ(model.currentFolder(), library);
    EXPECT_EQ(model.rows()[size_t(model.selected())].title, "sub");
    EXPECT_TRUE(model.upOneFolder());
    EXPECT_EQ(model.currentFolder(), root); // a drive root
    EXPECT_TRUE(model.upOneFolder());
    EXPECT_TRUE(model.inDriveList());
    EXPECT_EQ(model.headerLine2(), "<Drive Select>");
    EXPECT_EQ(model.rows()[size_t(model.selected())].path, root + "|Test");
    EXPECT_FALSE(model.upOneFolder()); // nothing above the drive list
    EXPECT_GE(persisted, 4);           // every folder change is stored

    // Opening a drive row enters its root; the drive list selects it again.
    model.openSelected();
    EXPECT_EQ(model.currentFolder(), root);
    settings.currentFolder = library + "/sub";
    model.showFolderScreen({});
    EXPECT_TRUE(model.toDriveList());
    EXPECT_EQ(model.rows()[size_t(model.selected())].path, root + "|Test");
}

TEST_F(ShelfModelTest, MissingFolderAsksToRetry)
{
    settings.currentFolder = library + "/gone";
    prompt.planAnswer(platform::PromptAnswer::Retry);
    prompt.planAnswer(platform::PromptAnswer::Cancel);
    model.start();
    EXPECT_EQ(prompt.texts(), QStringList({"フォルダーが見つかりません。", "フォルダーが見つかりません。"}));
    EXPECT_TRUE(model.inDriveList());
    EXPECT_TRUE(settings.currentFolder.isEmpty());
}

TEST_F(ShelfModelTest, OpeningRows)
{
    settings.currentFolder = library;
    settings.sortModeF = 0;
    model.start();
    model.select(0); // "sub"
    EXPECT_EQ(model.openSelected().kind, ShelfModel::OpenRequest::Nothing);
    EXPECT_EQ(model.currentFolder(), library + "/sub");
    EXPECT_EQ(rowTitles(), QStringList({"deeper"}));
    model.upOneFolder();
    model.select(2); // vol 9
    const ShelfModel::OpenRequest request = model.openSelected();
    ASSERT_EQ(request.kind, ShelfModel::OpenRequest::OpenBook);
    EXPECT_EQ(request.book.path, library + "/vol 9.kvb");

    // A book that vanished rebuilds the list instead.
    QFile::remove(library + "/vol 9.kvb");
    EXPECT_EQ(model.openSelected().kind, ShelfModel::OpenRequest::Nothing);
    EXPECT_EQ(rowTitles(), QStringList({"sub", "Dated", "vol 10"}));
}

TEST_F(ShelfModelTest, ClosingReturnsToTheListWithTheBookSelected)
{
    settings.currentFolder = library;
    settings.sortModeF = 0;
    model.start();
    model.select(3); // vol 10
    ShelfModel::OpenRequest request = model.openSelected();
    ASSERT_EQ(request.kind, ShelfModel::OpenRequest::OpenBook);
    BookEntry book = request.book;
    book.page = 2;
    model.bookOpened(book);
    const int before = persisted;
    model.bookClosed(2, book, 1);
    EXPECT_GT(persisted, before);
    EXPECT_EQ(settings.resume[0], "2|2|2|0|0|" + library + "/vol 10.kvb");
    EXPECT_EQ(model.rows()[size_t(model.selected())].title, "vol 10");
    EXPECT_EQ(model.rows()[size_t(model.selected())].page, 2);

    // Closing without registering after reading on leaves the entry, and the
    // resume screen selects it.
    model.switchScreen(true);
    ASSERT_TRUE(model.onResumeScreen());
    EXPECT_EQ(model.headerLine1(), "Resume (1/100)");
    EXPECT_EQ(model.headerLine2(), library);
    request = model.openSelected();
    ASSERT_EQ(request.kind, ShelfModel::OpenRequest::OpenBook);
    book = request.book;
    model.bookOpened(book);
    book.page = 40;
    model.bookClosed(0, book, 2);
    EXPECT_EQ(model.resume().size(), 1);
    EXPECT_EQ(model.selectedRow()->page, 2);
}

TEST_F(ShelfModelTest, FullResumeListRefusesWithAMessage)
{
    for (int i = 0; i < 100; ++i)
        settings.resume[size_t(i)] = QStringLiteral("2|%1|2|0|0|%2/vol 9.kvb").arg(i + 1).arg(library);
    model.start();
    BookEntry book = model.rows()[0];
    book.page = 200;
    model.bookClosed(2, book, 1);
    EXPECT_EQ(prompt.texts().last(), "登録最大数を超えるため、登録できません。");
    EXPECT_EQ(prompt.shown().back().icon, platform::PromptIcon::Stop);
    EXPECT_EQ(model.resume().size(), 100);
    EXPECT_EQ(model.headerLine1(), "Resume (100/100)");
}

TEST_F(ShelfModelTest, SwitchingScreensCarriesTheSelection)
{
    settings.resume[0] = "2|1|2|0|0|" + library + "/vol 10.kvb";
    settings.resume[1] = "2|2|2|0|0|" + library + "/sub/deeper/none.kvb";
    settings.currentFolder = root;
    settings.sortModeR = 0;
    model.start();
    ASSERT_TRUE(model.onResumeScreen());
    // The missing book is kept as kind 3, titled with its file name.
    const auto &rows = model.rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].title, "none");
    EXPECT_EQ(rows[0].kind, BookEntry::Empty);
    EXPECT_EQ(rows[1].kind, BookEntry::BookFile);
    EXPECT_EQ(model.openSelected().kind, ShelfModel::OpenRequest::Beep);

    model.select(1);
    model.switchScreen(true);
    EXPECT_FALSE(model.onResumeScreen());
    EXPECT_EQ(model.currentFolder(), library);
    EXPECT_EQ(model.selectedRow()->title, "vol 10");

    // Back, keeping the selection: the resume screen selects that entry.
    model.switchScreen(true);
    EXPECT_TRUE(model.onResumeScreen());
    EXPECT_EQ(model.selected(), 1);

    // Without the selection the folder stays and the list opens where the
    // remembered book is.
    model.resetRememberedBook();
    model.switchScreen(false);
    EXPECT_FALSE(model.onResumeScreen());
    EXPECT_EQ(model.selected(), 0);
}

TEST_F(ShelfModelTest, DeletingResumeEntries)
{
    settings.resume[0] = "2|1|2|0|0|" + library + "/vol 10.kvb";
    settings.resume[1] = "2|2|2|0|0|" + library + "/vol 10.kvb";
    settings.resume[2] = "2|2|2|0|0|" + library + "/vol 9.kvb";
    settings.currentFolder = library;
    settings.sortModeF = 0;
    model.start();
    model.switchScreen(false);
    model.select(0); // a folder: nothing to delete
    EXPECT_FALSE(model.deleteResume([] { return true; }));
    model.select(3); // vol 10, both entries go
    EXPECT_TRUE(model.deleteResume([] { return false; })); // "いいえ"
    EXPECT_EQ(model.resume().size(), 3);
    EXPECT_TRUE(model.deleteResume([] { return true; }));
    EXPECT_EQ(model.resume().size(), 1);
    EXPECT_EQ(model.selectedRow()->title, "vol 10");
    EXPECT_EQ(model.selectedRow()->page, -1);
    EXPECT_EQ(settings.resume[0], "2|2|2|0|0|" + library + "/vol 9.kvb");
    EXPECT_TRUE(settings.resume[1].isEmpty());

    model.switchScreen(false);
    EXPECT_TRUE(model.deleteResume([] { return true; }));
    EXPECT_TRUE(model.resume().isEmpty());
    EXPECT_FALSE(model.deleteResume([] { return true; }));
    EXPECT_FALSE(model.commandEnabled(CmdDeleteResume));
}

TEST_F(ShelfModelTest, DeletingOnTheResumeScreenSelectsAsTheListingDoes)
{
    // After a deletion the resume screen is listed again without a book to
    // select: row 0, not the row the deleted entry stood in.
    settings.resume[0] = "2|1|2|0|0|" + library + "/vol 10.kvb";
    settings.resume[1] = "2|2|2|0|0|" + library + "/vol 9.kvb";
    settings.resume[2] = "2|3|2|0|0|" + library + "/dated.KVB";
    settings.resume[3] = "2|4|2|0|0|" + library + "/vol 9.kvb";
    settings.sortModeR = 0;
    model.start();
    ASSERT_TRUE(model.onResumeScreen());
    ASSERT_EQ(model.rows().size(), 4u);
    model.select(3);
    ASSERT_TRUE(model.deleteResume([] { return true; }));
    EXPECT_EQ(model.selected(), 0);
    model.select(1);
    ASSERT_TRUE(model.deleteResume([] { return true; }));
    EXPECT_EQ(model.selected(), 0);
    EXPECT_EQ(model.resume().size(), 2);
}

TEST_F(ShelfModelTest, StartWithABookPathOpensIt)
{
    settings.currentFolder = root;
    settings.resume[0] = "2|1|2|0|0|" + library + "/vol 10.kvb";
    const ShelfModel::OpenRequest request = model.start(library + "/dated.KVB");
    ASSERT_EQ(request.kind, ShelfModel::OpenRequest::OpenBook);
    EXPECT_EQ(request.book.title, "Dated");
    EXPECT_FALSE(model.onResumeScreen());
    EXPECT_EQ(model.currentFolder(), library);
    EXPECT_EQ(model.selectedRow()->path, library + "/dated.KVB");

    // A folder handed in is shown, nothing opens.
    EXPECT_EQ(model.openPath(library + "/sub").kind, ShelfModel::OpenRequest::Nothing);
    EXPECT_EQ(model.currentFolder(), library + "/sub");
    EXPECT_EQ(rowTitles(), QStringList({"deeper"}));
}

TEST_F(ShelfModelTest, BooksAndFoldersNamedInBytesThatAreNotUtf8AreListedAndOpened)
{
    // A folder named 日本 in CP932, and names that are no text at all.
    const auto cleanup = qScopeGuard([this] { testsupport::removeRawNamedEntries(library); });
    ASSERT_TRUE(testsupport::writeRawNamedFile(library, "b\xff\xfe.kvb", testsupport::readFile(library + "/vol 9.kvb")));
    ASSERT_TRUE(testsupport::makeRawNamedFolder(library, "\x93\xfa\x96\x7b"));
    ASSERT_TRUE(testsupport::makeRawNamedFolder(library, "dir\xff"));
    ASSERT_TRUE(testsupport::makeRawNamedFolder(library, ".hidden\xfe"));
    ASSERT_TRUE(testsupport::writeRawNamedFile(library, "notes\xff.txt", "x"));

    settings.currentFolder = library;
    settings.sortModeF = 0;
    model.start();
    EXPECT_EQ(rowTitles(), QStringList({"dir\\xff", "sub", "日本", "b\\xff\\xfe", "Dated", "vol 9", "vol 10"}));
    EXPECT_EQ(prompt.texts(), QStringList{ShelfModel::infoFailedMessage(library + "/broken.kvb")});

    const QString book = library + u'/' + platform::nameFromBytes("b\xff\xfe.kvb");
    model.select(3);
    ASSERT_EQ(model.selectedRow()->path, book);
    const ShelfModel::OpenRequest request = model.openSelected();
    EXPECT_EQ(request.kind, ShelfModel::OpenRequest::OpenBook);
    EXPECT_EQ(request.book.path, book);

    model.select(2);
    model.openSelected();
    EXPECT_EQ(model.currentFolder(), library + u'/' + platform::nameFromBytes("\x93\xfa\x96\x7b"));
    EXPECT_EQ(model.headerLine2(), library + QStringLiteral("/日本"));
    ASSERT_TRUE(model.upOneFolder());
    EXPECT_EQ(model.selectedRow()->title, QStringLiteral("日本"));
}
