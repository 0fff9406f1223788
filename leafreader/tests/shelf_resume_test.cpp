// The resume list: stored values, closing modes and the 100-entry limit.
#include "shelf/resumelist.h"

#include <gtest/gtest.h>

using namespace leafreader;

namespace {

BookEntry book(const QString &path, int page, uint16_t count = 100)
{
    BookEntry e;
    e.kind = BookEntry::BookFile;
    e.path = path;
    e.page = page;
    e.pageCount = count;
    return e;
}

} // namespace

TEST(ResumeList, ParsesOnlyWellFormedValues)
{
    BookEntry e;
    ASSERT_TRUE(ResumeList::parseEntry("2|15|120|0|0|/books/a.kvb", e));
    EXPECT_EQ(e.kind, 2);
    EXPECT_EQ(e.page, 15);
    EXPECT_EQ(e.pageCount, 120);
    EXPECT_EQ(e.path, "/books/a.kvb");
    EXPECT_EQ(e.thumbnail.size(), 0);
    EXPECT_EQ(e.date, -1);

    ASSERT_TRUE(ResumeList::parseEntry("3|-1|70000|5|1|/x", e));
    EXPECT_EQ(e.kind, 3);
    EXPECT_EQ(e.pageCount, uint16_t(70000)); // 16-bit as stored
    EXPECT_EQ(e.zoom, 5);
    EXPECT_EQ(e.singlePage, 1);

    // Nothing after the last '|': an entry with an empty path.
    ASSERT_TRUE(ResumeList::parseEntry("2|1|10|0|0|", e));
    EXPECT_TRUE(e.path.isEmpty());

    EXPECT_FALSE(ResumeList::parseEntry("", e));
    EXPECT_FALSE(ResumeList::parseEntry("4|1|10|0|0|/x", e)); // kind must be 2 or 3
    EXPECT_FALSE(ResumeList::parseEntry("1|1|10|0|0|/x", e));
    EXPECT_FALSE(ResumeList::parseEntry("2|1|10|0|/x", e));  // four numbers
    EXPECT_FALSE(ResumeList::parseEntry("2|1|10|0|0", e));   // no path separator
    EXPECT_FALSE(ResumeList::parseEntry("2|x|10|0|0|/x", e));
    EXPECT_FALSE(ResumeList::parseEntry("2|99999999999|10|0|0|/x", e));
}

TEST(ResumeList, PathsMayHoldTheSeparator)
{
    BookEntry e;
    ASSERT_TRUE(ResumeList::parseEntry("2|4|9|0|0|/books/a|b.kvb", e));
    EXPECT_EQ(e.path, "/books/a|b.kvb");
    EXPECT_EQ(ResumeList::formatEntry(e), "2|4|9|0|0|/books/a|b.kvb");
}

TEST(ResumeList, LoadSkipsGapsAndStoresCompactly)
{
    ResumeList::Slots values;
    values[0] = "2|1|10|0|0|/a.kvb";
    values[3] = "4|1|10|0|0|/bad.kvb";
    values[7] = "3|2|10|0|0|/b.kvb";
    values[99] = "2|3|10|0|0|/c.kvb";
    ResumeList list;
    list.load(values);
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list.entries()[1].path, "/b.kvb");
    EXPECT_EQ(list.entries()[2].path, "/c.kvb");

    ResumeList::Slots out;
    out.fill("stale");
    list.store(out);
    EXPECT_EQ(out[0], "2|1|10|0|0|/a.kvb");
    EXPECT_EQ(out[1], "3|2|10|0|0|/b.kvb"); // a missing book keeps kind 3
    EXPECT_EQ(out[2], "2|3|10|0|0|/c.kvb");
    for (size_t i = 3; i < out.size(); ++i)
        EXPECT_TRUE(out[i].isEmpty()) << i;
}

TEST(ResumeList, ClosingModes)
{
    ResumeList list;
    BookEntry a = book("/a.kvb", 40);
    // Mode 0 puts the position back and registers nothing.
    EXPECT_EQ(list.closeBook(0, a, 5), ResumeList::CloseResult::Unchanged);
    EXPECT_EQ(a.page, 5);
    EXPECT_TRUE(list.isEmpty());

    // Mode 2 adds; adding the same page again moves that entry to the end.
    a.page = 40;
    EXPECT_EQ(list.closeBook(2, a, 5), ResumeList::CloseResult::Registered);
    BookEntry b = book("/b.kvb", 3);
    list.closeBook(2, b, 1);
    list.closeBook(2, a, 12);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list.entries()[1].path, "/a.kvb");

    // Mode 1 replaces the entry the book was opened from.
    a.page = 55;
    EXPECT_EQ(list.closeBook(1, a, 40), ResumeList::CloseResult::Registered);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list.find("/a.kvb", 55), 1);
    EXPECT_EQ(list.find("/a.kvb", 40), -1);

    // Mode 2 on a new page keeps the old entry as well.
    a.page = 60;
    list.closeBook(2, a, 55);
    EXPECT_EQ(list.size(), 3);
    EXPECT_EQ(list.removePath("/a.kvb"), 2);
}

TEST(ResumeList, HundredEntriesLimit)
{
    ResumeList list;
    for (int i = 0; i < 100; ++i) {
        BookEntry e = book(QStringLiteral("/b%1.kvb").arg(i), 10);
        ASSERT_EQ(list.closeBook(2, e, 1), ResumeList::CloseResult::Registered);
    }
    BookEntry opened = book("/b7.kvb", 30);
    // Adding a new page of a listed book fails and changes nothing.
    EXPECT_EQ(list.closeBook(2, opened, 10), ResumeList::CloseResult::Full);
    EXPECT_EQ(list.size(), 100);
    EXPECT_EQ(list.find("/b7.kvb", 10), 7);
    // Overwriting the entry it was opened from removes that one first.
    EXPECT_EQ(list.closeBook(1, opened, 10), ResumeList::CloseResult::Registered);
    EXPECT_EQ(list.size(), 100);
    EXPECT_EQ(list.find("/b7.kvb", 30), 99);
    // The same page again replaces itself even when full.
    EXPECT_EQ(list.closeBook(2, opened, 30), ResumeList::CloseResult::Registered);
    BookEntry other = book("/new.kvb", 1);
    EXPECT_EQ(list.closeBook(2, other, 1), ResumeList::CloseResult::Full);
    EXPECT_EQ(list.closeBook(1, other, 1), ResumeList::CloseResult::Full);
}
