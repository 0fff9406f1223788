// Texts, sort order, sizes and header cells of the list screens.
#include "shelf/listgeometry.h"
#include "shelf/listtexts.h"
#include "shelf/rowsort.h"

#include <gtest/gtest.h>

using namespace leafreader;

namespace {

BookEntry row(const QString &title, int32_t date = -1, int page = -1)
{
    BookEntry e;
    e.kind = BookEntry::BookFile;
    e.title = title;
    e.date = date;
    e.page = page;
    return e;
}

QStringList titles(const std::vector<BookEntry> &rows)
{
    QStringList out;
    for (const BookEntry &r : rows)
        out << r.title + (r.page >= 0 ? QStringLiteral("@%1").arg(r.page) : QString());
    return out;
}

} // namespace

TEST(ShelfTexts, DateShowsOnlyTheValidParts)
{
    EXPECT_EQ(dateText(-1), " -");
    EXPECT_EQ(dateText(2021, 3, 7), "2021/03/07");
    EXPECT_EQ(dateText(2021, 0, 7), "2021");
    EXPECT_EQ(dateText(2021, 13, 7), "2021");
    EXPECT_EQ(dateText(2021, 12, 0), "2021/12");
    EXPECT_EQ(dateText(2021, 12, 32), "2021/12");
    EXPECT_EQ(dateText(7, 1, 1), "0007/01/01");
}

TEST(ShelfTexts, FileSizeFormatsAtTheirBoundaries)
{
    EXPECT_EQ(fileSizeText(0), " (Unknown)");
    EXPECT_EQ(fileSizeText(10239), " 10239 Bytes");
    EXPECT_EQ(fileSizeText(10240), " 10K (10240) Bytes");
    EXPECT_EQ(fileSizeText(10ull << 20), " 10M (10485760) Bytes");
    EXPECT_EQ(fileSizeText((10ull << 20) - 1), " 10239K (10485759) Bytes");
    EXPECT_EQ(fileSizeText((10ull << 30) - 1), " 10239M (10737418239) Bytes");
    EXPECT_EQ(fileSizeText(10ull << 30), " 10G (10737418240) Bytes");
}

TEST(ShelfTexts, LayoutAndAttributeRows)
{
    EXPECT_EQ(layoutText(0), " 単ページ");
    EXPECT_EQ(layoutText(kvb::Cover), " 単ページ");
    EXPECT_EQ(layoutText(kvb::PageSpread | kvb::Cover | kvb::BindR), " 表紙あり見開き、右綴じ");
    EXPECT_EQ(layoutText(kvb::PageSpread), " 表紙なし見開き、左閉じ");

    kvb::AttributeEntry date;
    date.type = kvb::PublicationDate;
    date.year = 2021;
    EXPECT_EQ(attributeItemText(date), "出版日");
    EXPECT_EQ(attributeContentText(date), "2021");
    kvb::AttributeEntry item;
    item.type = kvb::UserDefined;
    item.name = "ISBN";
    item.text = "123";
    EXPECT_EQ(attributeItemText(item), "ISBN");
    EXPECT_EQ(attributeContentText(item), "123");
    kvb::AttributeEntry odd;
    odd.type = 9;
    EXPECT_EQ(attributeItemText(odd), "Unknown<9>");
    EXPECT_EQ(attributeContentText(odd), "???");
}

TEST(ShelfTexts, AuthorLineFollowsThePriority)
{
    BookEntry e = row("t");
    EXPECT_EQ(authorLine(e, 0), " -");
    e.publisher = "P";
    e.circle = "C";
    EXPECT_EQ(authorLine(e, 0), "C"); // author > circle > publisher
    EXPECT_EQ(authorLine(e, 1), "P");
    EXPECT_EQ(authorLine(e, 4), "P");
    EXPECT_EQ(authorLine(e, 5), "P");
    e.author = "A";
    EXPECT_EQ(authorLine(e, 0), "A");
    EXPECT_EQ(authorLine(e, 2), "C");
    EXPECT_EQ(authorLine(e, 3), "C");
    EXPECT_EQ(authorLine(e, 99), "P"); // clamped to 5
    EXPECT_EQ(priorityText(3), "サークル > 出版社 > 著者");
}

TEST(ShelfTexts, TileLinesPerRowKind)
{
    BookEntry folder;
    folder.kind = BookEntry::Folder;
    folder.title = "sub";
    TileText t = tileText(folder, false, 0);
    EXPECT_EQ(t.picture, 1);
    EXPECT_TRUE(t.lines[0].isEmpty());

    BookEntry book = row("b", BookEntry::packDate(2020, 5, 0), 3);
    book.pageCount = 40;
    book.subtitle = " ";
    t = tileText(book, false, 0);
    EXPECT_EQ(t.picture, -1);
    EXPECT_TRUE(t.resumeBadge);
    EXPECT_EQ(t.lines[2], "2020/05");
    EXPECT_EQ(t.lines[3], "40 pages");
    t = tileText(book, true, 0);
    EXPECT_EQ(t.lines[3], "p.3/40");

    book.kind = BookEntry::Empty; // missing on the resume screen
    EXPECT_EQ(tileText(book, true, 0).picture, 3);
}

TEST(ShelfSort, TitlesCompareDigitRunsAsNumbers)
{
    std::vector<BookEntry> rows = {row("volume 10"), row("Volume 9"), row("volume 9", -1, 5),
                                   row("volume 9", -1, 2), row("a")};
    sortRows(rows, SortByTitle);
    // Equal titles (case aside) by page: no position (-1) first.
    EXPECT_EQ(titles(rows), QStringList({"a", "Volume 9", "volume 9@2", "volume 9@5", "volume 10"}));
}

TEST(ShelfSort, DateModesPutUndatedRowsLast)
{
    const int32_t d2019 = BookEntry::packDate(2019, 1, 1);
    const int32_t d2021 = BookEntry::packDate(2021, 6, 1);
    std::vector<BookEntry> rows = {row("none b"), row("new", d2021), row("old b", d2019),
                                   row("none a"), row("old a", d2019)};
    std::vector<BookEntry> oldest = rows;
    sortRows(oldest, SortByDateOldest);
    EXPECT_EQ(titles(oldest), QStringList({"old a", "old b", "new", "none a", "none b"}));
    std::vector<BookEntry> newest = rows;
    sortRows(newest, SortByDateNewest);
    EXPECT_EQ(titles(newest), QStringList({"new", "old b", "old a", "none b", "none a"}));

    // Equal dates and titles: pages ascending in both date modes.
    std::vector<BookEntry> same = {row("x", d2019, 9), row("x", d2019, 1)};
    sortRows(same, SortByDateNewest);
    EXPECT_EQ(titles(same), QStringList({"x@1", "x@9"}));
}

TEST(ShelfGeometry, TileSizesFromTheScales)
{
    const TileMetrics m = TileMetrics::compute(0, 0);
    EXPECT_EQ(m.scaleUnit, 16);
    EXPECT_EQ(m.picture, QSize(80, 100));
    EXPECT_EQ(m.tile, QSize(80 + 80 * 96 / 32, 102));
    EXPECT_EQ(m.mainLarge, 22);
    EXPECT_EQ(m.mainSmall, 16);
    EXPECT_EQ(m.listLarge, 16);
    EXPECT_EQ(m.listSmall, 14);
    EXPECT_EQ(m.headerHeight, 38);
    EXPECT_EQ(m.badgeRect(), QRect(80 - 32, 100 - 21, 32, 21));

    const TileMetrics big = TileMetrics::compute(2, 1);
    EXPECT_EQ(big.scaleUnit, 18); // 16 x 1.1449
    EXPECT_EQ(big.picture, QSize(32 * 18 * 20 / 128, 32 * 18 * 25 / 128));
    EXPECT_EQ(big.tile.width(), big.picture.width() + big.picture.width() * 102 / 32);
}

TEST(ShelfGeometry, HeaderIconHitRule)
{
    HeaderLayout h;
    h.height = 40;
    h.clientWidth = 1000;
    h.upFolderShown = true;
    // Five slots of 40 end at the right edge: 800..1000.
    EXPECT_EQ(h.hitTest(800, 10), IconUpFolder);
    EXPECT_EQ(h.hitTest(839, 39), IconUpFolder);
    EXPECT_EQ(h.hitTest(840, 0), IconSwitchScreen);
    EXPECT_EQ(h.hitTest(999, 0), IconSettings);
    // Just left of the first slot is no icon (not slot 0 by rounding).
    EXPECT_EQ(h.hitTest(780, 10), -1);
    EXPECT_EQ(h.hitTest(900, 40), -1); // below the header
    EXPECT_EQ(h.textRight(), 800);

    // Resume screen and drive list: the up-folder slot does not count.
    h.upFolderShown = false;
    EXPECT_EQ(h.hitTest(810, 10), -1);
    EXPECT_EQ(h.hitTest(850, 10), IconSwitchScreen);
    EXPECT_EQ(h.textRight(), 840);

    // Full screen: six slots, the last one closes the program.
    h.fullScreen = true;
    EXPECT_EQ(h.hitTest(970, 5), IconCloseProgram);
    EXPECT_EQ(h.hitTest(770, 5), -1); // the empty up-folder slot 760..800
    EXPECT_EQ(h.hitTest(810, 5), IconSwitchScreen);
    EXPECT_EQ(h.iconRect(IconCloseProgram), QRect(960, 0, 40, 40));
}
