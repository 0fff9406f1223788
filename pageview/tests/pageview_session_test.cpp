#include "pageview/bookcontroller.h"
#include "pageview/booksource.h"
#include "pageview/foldersource.h"
#include "pageview/pagesession.h"

#include "pageview_testpages.h"
#include "tests/testsupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace leafreader;
using testsupport::BookBytes;

namespace {

constexpr uint8_t kSpread = kvb::PageSpread;
constexpr uint8_t kCover = kvb::Cover;
constexpr uint8_t kRight = kvb::BindR;

using pageviewtest::pageJpeg;

class BookFixture : public testing::Test {
protected:
    QString makeBook(const QString &name, int pages, uint8_t flags, int claimedPages = -1)
    {
        BookBytes book;
        book.header(uint16_t(claimedPages < 0 ? pages : claimedPages), flags);
        book.text(kvb::Title, QStringLiteral("Testbook"));
        for (int i = 0; i < pages; ++i)
            book.page(kvb::Jpeg, pageJpeg(i));
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(testsupport::writeFile(path, book.bytes()));
        return path;
    }
    static PageSession::OpenResult open(PageSession &s, const QString &path, int page = 1)
    {
        PageSession::Start start;
        start.position = page;
        return openBook(s, path, start);
    }
    static std::pair<int, int> shown(const PageSession &s) { return pageviewtest::shown(s); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(BookFixture, OpeningClampsThePositionAndPairsPages)
{
    const QString path = makeBook(QStringLiteral("a.kvb"), 7, kSpread | kCover | kRight);
    PageSession s;
    ASSERT_EQ(open(s, path, 99), PageSession::OpenResult::Opened);
    EXPECT_EQ(s.position(), 7);
    EXPECT_EQ(s.pageCount(), 7);
    EXPECT_EQ(s.layoutFlags(), kSpread | kCover | kRight);
    EXPECT_EQ(s.positionAtOpening(), 7);
    EXPECT_EQ(shown(s), std::make_pair(6, 5)); // (7 | 6)

    ASSERT_EQ(open(s, path, -1), PageSession::OpenResult::Opened);
    EXPECT_EQ(s.position(), 1);
    EXPECT_EQ(shown(s), std::make_pair(0, -1)); // the cover alone, left
    ASSERT_EQ(open(s, path, 0), PageSession::OpenResult::Opened);
    EXPECT_EQ(s.position(), 1);
}

TEST_F(BookFixture, MovesReloadOnlyWhenTheSpreadChanges)
{
    const QString path = makeBook(QStringLiteral("b.kvb"), 6, kSpread | kCover | kRight);
    PageSession s;
    ASSERT_EQ(open(s, path), PageSession::OpenResult::Opened);
    const int loads = s.loadCount();
    EXPECT_TRUE(s.nextPage()); // 1 -> 3, pages 2 and 3
    EXPECT_EQ(s.position(), 3);
    EXPECT_EQ(shown(s), std::make_pair(2, 1));
    EXPECT_EQ(s.loadCount(), loads + 1);
    EXPECT_TRUE(s.moveTo(2, false)); // same spread: nothing read
    EXPECT_EQ(s.loadCount(), loads + 1);
    EXPECT_TRUE(s.lastPage());
    EXPECT_EQ(shown(s), std::make_pair(-1, 5)); // page 6 alone, right slot
    EXPECT_FALSE(s.nextPage());
    EXPECT_FALSE(s.lastPage());
    EXPECT_TRUE(s.firstPage());
    EXPECT_FALSE(s.previousPage());
    EXPECT_TRUE(s.scrollTo(3));
    EXPECT_EQ(s.position(), 4);
    EXPECT_TRUE(s.forward());

    // Without a cover: 1 -> 3 and back.
    const QString plain = makeBook(QStringLiteral("c.kvb"), 6, kSpread);
    ASSERT_EQ(open(s, plain), PageSession::OpenResult::Opened);
    EXPECT_TRUE(s.nextPage());
    EXPECT_EQ(s.position(), 3);
    EXPECT_EQ(shown(s), std::make_pair(2, 3));
    EXPECT_TRUE(s.previousPage());
    EXPECT_EQ(s.position(), 1);

    // The override shows one page at a time.
    EXPECT_TRUE(s.setSinglePage(true));
    EXPECT_EQ(s.step(), 1);
    EXPECT_EQ(shown(s), std::make_pair(0, -1));
    EXPECT_TRUE(s.nextPage());
    EXPECT_EQ(s.position(), 2);
}

TEST_F(BookFixture, SkipsClampAtTheEnds)
{
    const QString path = makeBook(QStringLiteral("d.kvb"), 100, 0);
    PageSession s;
    ASSERT_EQ(open(s, path, 95), PageSession::OpenResult::Opened);
    EXPECT_TRUE(s.skipForward(10));
    EXPECT_EQ(s.position(), 100);
    EXPECT_TRUE(s.skipBack(600));
    EXPECT_EQ(s.position(), 1);
    // Not a spread book: the override is refused.
    EXPECT_FALSE(s.setSinglePage(true));
}

TEST_F(BookFixture, BrokenBooksDoNotOpen)
{
    PageSession s;
    EXPECT_EQ(open(s, m_dir.filePath(QStringLiteral("missing.kvb"))),
              PageSession::OpenResult::CannotOpen);
    // The header claims more pages than the book holds.
    const QString lying = makeBook(QStringLiteral("lying.kvb"), 3, 0, 4);
    EXPECT_EQ(open(s, lying), PageSession::OpenResult::CannotOpen);
    EXPECT_FALSE(s.isOpen());
    // Cut inside the last page.
    const QString good = makeBook(QStringLiteral("good.kvb"), 3, 0);
    QByteArray bytes = testsupport::readFile(good);
    const QString truncated = m_dir.filePath(QStringLiteral("truncated.kvb"));
    ASSERT_TRUE(testsupport::writeFile(truncated, bytes.left(bytes.size() - 50)));
    EXPECT_EQ(open(s, truncated), PageSession::OpenResult::CannotOpen);
    // A page record whose bytes are no picture: the book opens as a
    // container, but its first page cannot be shown.
    BookBytes garbage;
    garbage.header(2, 0).page(kvb::Jpeg, QByteArray(300, 'x')).page(kvb::Jpeg, pageJpeg(1));
    const QString bad = m_dir.filePath(QStringLiteral("bad.kvb"));
    ASSERT_TRUE(testsupport::writeFile(bad, garbage.bytes()));
    EXPECT_EQ(open(s, bad), PageSession::OpenResult::PageLoadFailed);
    EXPECT_FALSE(s.isOpen());
    // Starting at the good page works; turning back to the bad one leaves
    // the slot empty but still moves.
    ASSERT_EQ(open(s, bad, 2), PageSession::OpenResult::Opened);
    EXPECT_TRUE(s.previousPage());
    EXPECT_EQ(s.position(), 1);
    EXPECT_TRUE(s.leftSlot().isEmpty());
}

TEST_F(BookFixture, BookWithoutPagesIsNotOpened)
{
    // A book that ends in its attributes holds no page to show.
    BookBytes book;
    book.header(0, kSpread).text(kvb::Title, QStringLiteral("empty"));
    const QString path = m_dir.filePath(QStringLiteral("empty.kvb"));
    ASSERT_TRUE(testsupport::writeFile(path, book.bytes()));
    PageSession s;
    EXPECT_EQ(open(s, path, 3), PageSession::OpenResult::CannotOpen);
    EXPECT_FALSE(s.isOpen());
    EXPECT_FALSE(s.nextPage());
    EXPECT_FALSE(s.previousPage());
}

TEST_F(BookFixture, FailedLeftSlotLeavesTheRightUnread)
{
    BookBytes book;
    // Spread without cover, left binding: p = 1 shows (1 | 2); page 1 is broken.
    book.header(4, kSpread).page(kvb::Jpeg, QByteArray(300, 'x')).page(kvb::Jpeg, pageJpeg(1));
    book.page(kvb::Jpeg, pageJpeg(2)).page(kvb::Jpeg, pageJpeg(3));
    const QString path = m_dir.filePath(QStringLiteral("halfbad.kvb"));
    ASSERT_TRUE(testsupport::writeFile(path, book.bytes()));
    PageSession s;
    ASSERT_EQ(open(s, path, 3), PageSession::OpenResult::Opened);
    EXPECT_TRUE(s.firstPage());
    EXPECT_TRUE(s.leftSlot().isEmpty());
    EXPECT_TRUE(s.rightSlot().isEmpty());
}

TEST_F(BookFixture, ExifSixPageIsShownTurned)
{
    BookBytes book;
    book.header(1, 0).page(kvb::Jpeg,
                           testsupport::jpegWithOrientation(testsupport::cornerPicture(200, 100), 6));
    const QString path = m_dir.filePath(QStringLiteral("exif.kvb"));
    ASSERT_TRUE(testsupport::writeFile(path, book.bytes()));
    PageSession s;
    ASSERT_EQ(open(s, path), PageSession::OpenResult::Opened);
    EXPECT_EQ(s.leftSlot().naturalSize, QSize(100, 200));
    const QImage &image = s.leftSlot().image;
    ASSERT_EQ(image.size(), QSize(100, 200));
    // Turned clockwise: the red top-left corner is now at the top-right.
    const QRgb topRight = image.pixel(95, 4);
    EXPECT_GT(qRed(topRight), 180);
    EXPECT_LT(qGreen(topRight), 90);
}

TEST_F(BookFixture, PagesDecodeJustLargeEnoughAndGrowWithTheWindow)
{
    BookBytes book;
    book.header(2, kSpread).page(kvb::Jpeg, testsupport::encode(testsupport::cornerPicture(1600, 2400), "JPG"));
    book.page(kvb::Jpeg, testsupport::encode(testsupport::cornerPicture(1600, 2400), "JPG"));
    const QString path = m_dir.filePath(QStringLiteral("big.kvb"));
    ASSERT_TRUE(testsupport::writeFile(path, book.bytes()));
    PageSession s;
    s.setViewport({0, 0, 400, 300}, 0, false);
    ASSERT_EQ(open(s, path), PageSession::OpenResult::Opened);
    EXPECT_EQ(s.leftSlot().naturalSize, QSize(1600, 2400));
    EXPECT_LE(s.leftSlot().image.height(), 300);
    EXPECT_GE(s.leftSlot().image.height(), 299);
    EXPECT_LE(s.rightSlot().image.height(), 300);
    EXPECT_FALSE(s.refreshResolution());
    // Zoom doubles the slot: decoded again, larger.
    s.setZoom(5);
    EXPECT_TRUE(s.refreshResolution());
    EXPECT_GE(s.leftSlot().image.height(), 599);
    // A larger window asks for more again; a smaller one keeps what it has.
    s.setZoom(0);
    s.setViewport({0, 0, 2000, 1500}, 0, false);
    EXPECT_TRUE(s.refreshResolution());
    EXPECT_GE(s.leftSlot().image.height(), 1499);
    s.setViewport({0, 0, 200, 100}, 0, false);
    EXPECT_FALSE(s.refreshResolution());
    // Full size reached: never decoded again.
    s.setViewport({0, 0, 8000, 8000}, 0, false);
    EXPECT_TRUE(s.refreshResolution());
    EXPECT_EQ(s.leftSlot().image.size(), QSize(1600, 2400));
    EXPECT_FALSE(s.refreshResolution());

    // A screen of twice the pixel density: pages decoded for its pixels.
    PageSession sharp;
    sharp.setViewport({0, 0, 400, 300}, 0, false);
    sharp.setPixelRatio(2.0);
    ASSERT_EQ(open(sharp, path), PageSession::OpenResult::Opened);
    EXPECT_GE(sharp.leftSlot().image.height(), 599);
    EXPECT_LE(sharp.leftSlot().image.height(), 600);
}

TEST_F(BookFixture, ControllerCommandsAndAutomaticTurning)
{
    const QString path = makeBook(QStringLiteral("e.kvb"), 5, 0);
    PageSession s;
    ReaderSettings settings;
    settings.interval = 1;
    settings.skipForward = 3;
    BookController c(s, settings);
    QStringList status;
    int repaints = 0;
    c.onStatus = [&](const QString &t) { status << t; };
    c.onRepaint = [&] { ++repaints; };
    int64_t clock = 1000;
    c.clock = [&] { return clock; };
    ASSERT_EQ(open(s, path), PageSession::OpenResult::Opened);
    c.bookOpened();

    EXPECT_TRUE(c.onCommand(CmdSkipForward));
    EXPECT_EQ(s.position(), 4);
    EXPECT_FALSE(c.onCommand(CmdFullScreen)); // the window's business
    EXPECT_TRUE(c.onCommand(CmdFirstPage));

    // Zoom on from a region command, off by the toggle; status texts.
    EXPECT_TRUE(c.onCommand(zoomCommand(8)));
    EXPECT_EQ(s.zoom(), 8);
    EXPECT_TRUE(c.onCommand(CmdZoomDown)); // bottom row: next page, top row
    EXPECT_EQ(s.position(), 2);
    EXPECT_EQ(s.zoom(), 2);
    EXPECT_TRUE(c.onCommand(CmdZoomToggle));
    EXPECT_EQ(s.zoom(), 0);
    EXPECT_TRUE(c.onCommand(CmdZoomOff)); // already off: nothing shown
    EXPECT_EQ(status, (QStringList{kZoomOnText, kZoomOffText}));
    EXPECT_TRUE(c.itemState(zoomCommand(0)).checked);

    // Rotation toggle cycles.
    for (int i = 0; i < 3; ++i)
        c.onCommand(CmdRotationToggle);
    EXPECT_EQ(s.rotation(), 3);
    EXPECT_TRUE(c.itemState(CmdRotate3).checked);
    c.onCommand(CmdRotationToggle);
    EXPECT_EQ(s.rotation(), 0);

    // Automatic turning: at most one turn per interval, off at the end.
    status.clear();
    c.onCommand(CmdAutoTurn);
    EXPECT_EQ(status, QStringList{kAutoTurnOnText});
    EXPECT_TRUE(c.itemState(CmdAutoTurn).checked);
    for (clock = 1000; clock <= 6000; clock += 50)
        c.tick(clock);
    EXPECT_EQ(s.position(), 5);
    EXPECT_FALSE(c.autoTurnOn()); // reached the end without Loop: off, silently
    EXPECT_EQ(status, QStringList{kAutoTurnOnText});

    // One turn per second at most: ticks every 50 ms over 2.5 s give 2 turns.
    c.onCommand(CmdFirstPage);
    clock = 10000;
    c.onCommand(CmdAutoTurn);
    for (int64_t t = 10000; t <= 12500; t += 50)
        c.tick(t);
    EXPECT_EQ(s.position(), 3);

    // With Loop the book starts again at page 1.
    settings.loop = true;
    c.onCommand(CmdLastPage);
    for (int64_t t = 12550; t <= 13600; t += 50)
        c.tick(t);
    EXPECT_EQ(s.position(), 1);
    EXPECT_TRUE(c.autoTurnOn());

    // Menu states at the ends.
    EXPECT_FALSE(c.itemState(CmdPreviousPage).enabled);
    EXPECT_TRUE(c.itemState(CmdNextPage).enabled);
    EXPECT_FALSE(c.itemState(CmdSinglePage).enabled); // not a spread book
}

TEST(IdleCursorTest, HidesAfterASecondOfRest)
{
    IdleCursor idle;
    idle.reset({10, 10});
    for (int i = 0; i < 19; ++i)
        EXPECT_EQ(idle.tick({12, 12}, true, false), IdleCursor::Action::None); // moved by 2,2: rest
    EXPECT_EQ(idle.tick({12, 12}, true, false), IdleCursor::Action::Hide);
    EXPECT_EQ(idle.tick({18, 12}, true, false), IdleCursor::Action::Show); // 36 > 32
    EXPECT_EQ(idle.count(), 0);
    EXPECT_EQ(idle.tick({18, 12}, true, true), IdleCursor::Action::Show); // menu open
    EXPECT_EQ(idle.tick({500, 500}, false, false), IdleCursor::Action::None); // outside
}

TEST(KeyMap, BookKeysAndCells)
{
    EXPECT_EQ(bookKeyCommand(Qt::Key_1, Qt::NoModifier), zoomCommand(7));
    EXPECT_EQ(bookKeyCommand(Qt::Key_9, Qt::KeypadModifier), zoomCommand(3));
    EXPECT_EQ(bookKeyCommand(Qt::Key_0, Qt::NoModifier), CmdZoomOff);
    EXPECT_EQ(bookKeyCommand(Qt::Key_Return, Qt::AltModifier), CmdEnterFullScreen);
    EXPECT_EQ(bookKeyCommand(Qt::Key_Return, Qt::ControlModifier), 0);
    // Other keys with Alt are the window's, not page commands.
    EXPECT_EQ(bookKeyCommand(Qt::Key_Left, Qt::AltModifier), 0);
    EXPECT_EQ(bookKeyCommand(Qt::Key_Home, Qt::AltModifier), 0);
    EXPECT_EQ(bookKeyCommand(Qt::Key_Return, Qt::KeypadModifier), CmdZoomToggle);
    EXPECT_EQ(bookKeyCommand(Qt::Key_PageDown, Qt::ShiftModifier | Qt::ControlModifier), CmdSkipForward);
    EXPECT_EQ(bookKeyCommand(Qt::Key_Left, Qt::ShiftModifier), 0);
    EXPECT_EQ(bookKeyCommand(Qt::Key_3, Qt::ControlModifier), CmdLeaveFullScreen);
    EXPECT_EQ(bookKeyCommand(Qt::Key_T, Qt::ControlModifier), CmdSkipForward);
    EXPECT_EQ(bookKeyCommand(Qt::Key_VolumeUp, Qt::NoModifier), -1);
    EXPECT_EQ(bookKeyCommand(Qt::Key_Escape, Qt::NoModifier), CmdCloseNoRegister);

    const Box client{0, 0, 300, 300};
    EXPECT_EQ(gridCell({0, 0}, client), 0);
    EXPECT_EQ(gridCell({299, 299}, client), 8);
    EXPECT_EQ(gridCell({150, 50}, client), 1);
    EXPECT_EQ(bookCellCommand(1, false), CmdPreviousPage);
    EXPECT_EQ(bookCellCommand(1, true), CmdZoomUp);
    EXPECT_EQ(bookCellCommand(4, false), zoomCommand(5));
    EXPECT_EQ(bookCellCommand(4, true), CmdZoomOff);
    EXPECT_EQ(bookCellCommand(3, false), 0);
    EXPECT_EQ(bookWheelCommand(120, false), CmdPreviousPage);
    EXPECT_EQ(bookWheelCommand(-120, true), CmdZoomDown);
    EXPECT_EQ(bookPadCommand(15), CmdZoomLeft);
    EXPECT_EQ(bookPadCommand(1), 0);
}

namespace {

// The image files of a folder shown as pages.
class FolderSourceTest : public BookFixture {
protected:
    // Page picture i: width 100 + i, so shown() names it.
    QString writePicture(const QString &name, int i, const char *format)
    {
        EXPECT_TRUE(testsupport::writeFile(m_dir.filePath(name),
                                           testsupport::encode(testsupport::cornerPicture(100 + i, 140), format)));
        return name;
    }
    static PageSession::OpenResult open(PageSession &s, std::unique_ptr<PageSource> source, int position,
                                        uint8_t flags)
    {
        PageSession::Start start;
        start.position = position;
        start.layoutFlags = flags;
        return s.open(std::move(source), start);
    }
};

} // namespace

TEST_F(FolderSourceTest, PagesInTheGivenOrderWithKindsFromTheExtension)
{
    const QStringList names{writePicture("c.png", 0, "PNG"), writePicture("A.JPG", 1, "JPG"),
                            writePicture("b.jpeg", 2, "JPG"), writePicture("d.Bmp", 3, "BMP")};
    FolderSource folder(m_dir.path(), names);
    ASSERT_EQ(folder.pageCount(), 4);
    const uint8_t kinds[] = {kvb::Png, kvb::Jpeg, kvb::Jpeg, kvb::Bmp};
    for (int i = 0; i < 4; ++i) {
        QByteArray bytes;
        uint8_t kind = 0;
        ASSERT_TRUE(folder.readPage(i, bytes, kind)) << i;
        EXPECT_EQ(kind, kinds[i]) << i;
        EXPECT_EQ(bytes, testsupport::readFile(m_dir.filePath(names[i])));
        EXPECT_EQ(folder.pageFile(i), m_dir.filePath(names[i]));
    }
    QByteArray bytes;
    uint8_t kind = 0;
    EXPECT_FALSE(folder.readPage(4, bytes, kind));
    EXPECT_FALSE(folder.readPage(-1, bytes, kind));
    EXPECT_TRUE(folder.pageFile(4).isEmpty());

    // Shown as a right-bound spread with a cover, as a book of the same pages.
    PageSession s;
    ASSERT_EQ(open(s, std::make_unique<FolderSource>(m_dir.path(), names), 1, kvb::layoutFlagsFor(2, 0)),
              PageSession::OpenResult::Opened);
    EXPECT_EQ(shown(s), std::make_pair(0, -1));
    EXPECT_TRUE(s.nextPage());
    EXPECT_EQ(shown(s), std::make_pair(2, 1));
    EXPECT_EQ(s.source()->pageFile(s.rightSlot().page), m_dir.filePath("A.JPG"));
    // Left binding without a cover, from the last page.
    ASSERT_EQ(open(s, std::make_unique<FolderSource>(m_dir.path(), names), 9, kvb::layoutFlagsFor(3, 1)),
              PageSession::OpenResult::Opened);
    EXPECT_EQ(s.position(), 4);
    EXPECT_EQ(shown(s), std::make_pair(2, 3));
}

TEST_F(FolderSourceTest, FilesThatCannotBeReadAreFailedPages)
{
    // Gone since listed, a folder with a picture's name, a file that is no
    // picture by its extension, and one whose content is no picture.
    QDir(m_dir.path()).mkdir(QStringLiteral("folder.jpg"));
    ASSERT_TRUE(testsupport::writeFile(m_dir.filePath("notes.txt"), "text"));
    ASSERT_TRUE(testsupport::writeFile(m_dir.filePath("broken.png"), "not a picture"));
    const QStringList names{writePicture("1.jpg", 0, "JPG"), "gone.jpg", "folder.jpg",
                            "notes.txt", "broken.png", writePicture("6.jpg", 5, "JPG")};
    FolderSource folder(m_dir.path(), names);
    for (int i = 1; i <= 3; ++i) {
        QByteArray bytes;
        uint8_t kind = 0;
        EXPECT_FALSE(folder.readPage(i, bytes, kind)) << qPrintable(names[i]);
    }

    // Opening on a page that fails is refused; a failing page met later
    // leaves its slot empty and the position still moves.
    PageSession s;
    EXPECT_EQ(open(s, std::make_unique<FolderSource>(m_dir.path(), names), 2, 0),
              PageSession::OpenResult::PageLoadFailed);
    EXPECT_FALSE(s.isOpen());
    ASSERT_EQ(open(s, std::make_unique<FolderSource>(m_dir.path(), names), 1, 0),
              PageSession::OpenResult::Opened);
    for (int p = 2; p <= 5; ++p) {
        EXPECT_TRUE(s.nextPage());
        EXPECT_EQ(s.position(), p);
        EXPECT_TRUE(s.leftSlot().isEmpty()) << p;
    }
    EXPECT_TRUE(s.nextPage());
    EXPECT_EQ(shown(s), std::make_pair(5, -1));
}

TEST_F(FolderSourceTest, EmptyFolderIsNotOpened)
{
    FolderSource empty(m_dir.path(), {});
    EXPECT_EQ(empty.pageCount(), 0);
    PageSession s;
    EXPECT_EQ(open(s, std::make_unique<FolderSource>(m_dir.path(), QStringList()), 1, kvb::layoutFlagsFor(2, 0)),
              PageSession::OpenResult::CannotOpen);
    EXPECT_FALSE(s.isOpen());
    EXPECT_FALSE(s.nextPage());
    EXPECT_EQ(open(s, nullptr, 1, 0), PageSession::OpenResult::CannotOpen);
}
