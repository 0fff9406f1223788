// Stored settings with their defaults and limits, and the input histories.
#include "testfixtures.h"

#include "core/binderyeditor.h"
#include "core/binderysettings.h"
#include "core/inputhistory.h"

#include <platform/settings.h>

#include <QSettings>

#include <gtest/gtest.h>

using namespace bindery;
using binderytest::Workspace;

namespace {

// A store of its own per test, inside the test program's private folder.
std::unique_ptr<QSettings> freshStore(const char *name)
{
    auto store = platform::openSettings(QStringLiteral("BinderyTest_") + QLatin1String(name));
    store->clear();
    return store;
}

} // namespace

TEST(BinderySettings, DefaultsWhenNothingIsStored)
{
    auto store = freshStore("defaults");
    BinderySettings s;
    s.load(*store);
    EXPECT_TRUE(s.cover && s.bindR && s.pageSpread && s.thumbnail);
    EXPECT_TRUE(s.nameAsTitle);
    EXPECT_FALSE(s.nameTopAsDate);
    EXPECT_EQ(s.parentNameAs, 0);
    EXPECT_EQ(s.expStartNum, 1);
    EXPECT_TRUE(s.expPrefix.isEmpty());
    EXPECT_EQ(s.autoFileName, 0);
    EXPECT_EQ(s.year, 0);
    EXPECT_FALSE(s.winPos.has_value());
}

TEST(BinderySettings, LimitsAndMalformedValues)
{
    Workspace ws;
    auto store = freshStore("limits");
    store->setValue("Cover", 0);
    store->setValue("BindR", "abc");
    store->setValue("PageSpread", 7);
    store->setValue("Date", "2021;13;31");
    store->setValue("ParentNameAs", 9);
    store->setValue("ExpStartNum", 20000);
    store->setValue("ExpPrefix", QString(33, u'x'));
    store->setValue("AutoFileName", 5);
    store->setValue("KVBFolder", ws.folder(QStringLiteral("books")));
    store->setValue("ImageFolder", ws.path(QStringLiteral("missing")));
    store->setValue("WinPos", "10;20;900;700");
    BinderySettings s;
    s.load(*store);
    EXPECT_FALSE(s.cover);
    EXPECT_TRUE(s.bindR);
    EXPECT_TRUE(s.pageSpread);
    EXPECT_EQ(s.year, 2021);
    EXPECT_EQ(s.month, 0);
    EXPECT_EQ(s.day, 31);
    EXPECT_EQ(s.parentNameAs, 3);
    EXPECT_EQ(s.expStartNum, 10000);
    EXPECT_TRUE(s.expPrefix.isEmpty());
    EXPECT_EQ(s.autoFileName, 0);
    EXPECT_EQ(s.kvbFolder, ws.path(QStringLiteral("books")));
    EXPECT_TRUE(s.imageFolder.isEmpty());
    ASSERT_TRUE(s.winPos.has_value());
    EXPECT_EQ(*s.winPos, QRect(10, 20, 900, 700));

    store->setValue("ParentNameAs", -2);
    store->setValue("ExpStartNum", -5);
    store->setValue("WinPos", "1;2;3");
    store->setValue("Date", "1;2");
    s.load(*store);
    EXPECT_EQ(s.parentNameAs, 0);
    EXPECT_EQ(s.expStartNum, 0);
    EXPECT_FALSE(s.winPos.has_value());
    EXPECT_EQ(s.year, 0);

    // Trailing junk is refused: the defaults stay.
    store->setValue("WinPos", "10;20;900;700x");
    store->setValue("ExpStartNum", "50x");
    store->setValue("Date", "2021;3;4;");
    store->setValue("Cover", "0 no");
    s.load(*store);
    EXPECT_FALSE(s.winPos.has_value());
    EXPECT_EQ(s.expStartNum, 1);
    EXPECT_EQ(s.year, 0);
    EXPECT_TRUE(s.cover);
}

TEST(BinderySettings, EditorWritesTheDocumentsFlagsAndDateAndReadsThemBack)
{
    auto store = freshStore("roundtrip");
    platform::ScriptedPrompt prompt;
    {
        BinderyEditor editor(prompt);
        editor.loadSettings(*store);
        BookDocument &d = editor.document();
        d.cover = false;
        d.pageSpread = false;
        d.withThumbnail = false;
        d.year = 1999;
        d.month = 12;
        d.day = 24;
        editor.settings().expPrefix = QStringLiteral("pg");
        editor.histories().list(InputHistories::Circle) = QStringList{"c1", "c2"};
        editor.saveSettings(*store);
    }
    EXPECT_EQ(store->value("Date").toString(), QStringLiteral("1999;12;24"));
    EXPECT_EQ(store->value("HistCir1").toString(), QStringLiteral("c2"));
    EXPECT_TRUE(store->contains("HistCir4"));
    BinderyEditor editor(prompt);
    editor.loadSettings(*store);
    const BookDocument &d = editor.document();
    EXPECT_FALSE(d.cover);
    EXPECT_TRUE(d.bindRight);
    EXPECT_FALSE(d.pageSpread);
    EXPECT_FALSE(d.withThumbnail);
    EXPECT_EQ(d.day, 24);
    EXPECT_FALSE(d.datePresent);
    EXPECT_EQ(editor.settings().expPrefix, QStringLiteral("pg"));
    EXPECT_EQ(editor.histories().list(InputHistories::Circle), (QStringList{"c1", "c2"}));
}

TEST(BinderyHistories, MergePutsValuesFirstDropsDuplicatesAndKeepsFive)
{
    QStringList h{"a", "b", "c", "d", "e"};
    InputHistories::merge(h, {"c", "x"});
    EXPECT_EQ(h, (QStringList{"x", "c", "a", "b", "d"}));
    InputHistories::merge(h, {"x"});
    EXPECT_EQ(h, (QStringList{"x", "c", "a", "b", "d"}));

    InputHistories histories;
    histories.list(InputHistories::Author) = QStringList{"Z", "B"};
    BookDocument d;
    d.title = QStringLiteral("T");
    d.author = QStringLiteral("A");
    auto entry = [](uint8_t type, const QString &text, const QString &name = {}) {
        kvb::AttributeEntry e;
        e.type = type;
        e.text = text;
        e.name = name;
        return e;
    };
    d.otherAttributes = {entry(kvb::Author, "B"), entry(kvb::UserDefined, "val", "key"), entry(kvb::Author, "C")};
    histories.mergeDocument(d);
    EXPECT_EQ(histories.list(InputHistories::Title), QStringList{"T"});
    EXPECT_EQ(histories.list(InputHistories::Author), (QStringList{"C", "B", "A", "Z"}));
    EXPECT_TRUE(histories.list(InputHistories::Subtitle).isEmpty());
    EXPECT_EQ(histories.list(InputHistories::ItemName), QStringList{"key"});
    EXPECT_EQ(histories.list(InputHistories::ItemValue), QStringList{"val"});
}
