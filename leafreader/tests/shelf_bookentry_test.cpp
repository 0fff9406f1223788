// The list row record and the list information read from a book.
#include "shelf/bookentry.h"
#include "shelf_testbooks.h"

#include "book/bookrecords.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace leafreader;

namespace {

BookEntry row(const QString &path)
{
    BookEntry r;
    r.kind = BookEntry::BookFile;
    r.path = path;
    return r;
}

} // namespace

TEST(BookEntryTest, ResetValues)
{
    BookEntry e;
    e.kind = 1;
    e.path = QStringLiteral("x");
    e.page = 5;
    e.zoom = 3;
    e.thumbnail = QByteArray(96000, 'a');
    e.reset();
    EXPECT_EQ(e.kind, BookEntry::Empty);
    EXPECT_TRUE(e.path.isEmpty());
    EXPECT_EQ(e.fileSize, 0u);
    EXPECT_EQ(e.page, -1);
    EXPECT_EQ(e.pageCount, 0);
    EXPECT_EQ(e.layoutFlags, 0);
    EXPECT_EQ(e.date, -1);
    EXPECT_EQ(e.zoom, 0);
    EXPECT_EQ(e.singlePage, 0);
    EXPECT_FALSE(e.hasThumbnail());
}

TEST(BookEntryTest, ListInformationJoinsAndFallsBack)
{
    QTemporaryDir dir;
    testsupport::BookBytes book;
    book.header(1, kvb::PageSpread | kvb::Cover, 1).thumbnail(0x55);
    book.text(kvb::Author, QStringLiteral("甲"));
    book.text(kvb::Author, QStringLiteral("乙"));
    book.text(kvb::Publisher, QStringLiteral("社"));
    book.date(2021, 4, 9);
    book.page(kvb::Jpeg, testsupport::encode(testsupport::cornerPicture(100, 140), "JPG"));
    const QString path = dir.filePath(QStringLiteral("My.Book.kvb"));
    ASSERT_TRUE(testsupport::writeFile(path, book.bytes()));
    BookEntry r = row(path);
    ASSERT_TRUE(readListInformation(r));
    EXPECT_EQ(r.title, QStringLiteral("My.Book"));
    EXPECT_EQ(r.subtitle, QStringLiteral(" "));
    EXPECT_EQ(r.author, QStringLiteral("甲, 乙"));
    EXPECT_EQ(r.publisher, QStringLiteral("社"));
    EXPECT_EQ(r.date, (2021 << 16) | (4 << 8) | 9);
    EXPECT_EQ(r.pageCount, 1);
    EXPECT_EQ(r.layoutFlags, kvb::PageSpread | kvb::Cover);
    ASSERT_EQ(r.thumbnail.size(), 96000);
    EXPECT_EQ(uint8_t(r.thumbnail[0]), 0x55);

    // Without the thumbnail flag no buffer is kept; no date stays -1.
    shelftest::TestBook plainBook;
    plainBook.title = QStringLiteral("Testbook");
    plainBook.thumbnail = false;
    const QString plain = dir.filePath(QStringLiteral("plain"));
    ASSERT_TRUE(shelftest::writeBook(plain, plainBook));
    BookEntry p = row(plain);
    ASSERT_TRUE(readListInformation(p));
    EXPECT_EQ(p.title, QStringLiteral("Testbook"));
    EXPECT_FALSE(p.hasThumbnail());
    EXPECT_EQ(p.date, -1);

    BookEntry missing = row(dir.filePath(QStringLiteral("none.kvb")));
    EXPECT_FALSE(readListInformation(missing));
}
