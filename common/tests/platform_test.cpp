#include "platform/drives.h"
#include "platform/foldermove.h"
#include "platform/paths.h"
#include "platform/prompt.h"
#include "platform/safefile.h"
#include "platform/settings.h"
#include "platform/textcompare.h"
#include "platform/version.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <unistd.h>

using namespace platform;

TEST(PlatformText, LogicalCompareOrdersNumbersByValueAndIgnoresCase)
{
    QStringList names{QStringLiteral("Vol10"), QStringLiteral("vol2"), QStringLiteral("Vol1"),
                      QStringLiteral("vol02b"), QStringLiteral("a"), QStringLiteral("B"),
                      QStringLiteral("Vol2a")};
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return logicalCompare(a, b) < 0; });
    EXPECT_EQ(names, (QStringList{"a", "B", "Vol1", "vol02b", "vol2", "Vol2a", "Vol10"}));
    EXPECT_EQ(logicalCompare(u"ABC", u"abc"), 0);
    EXPECT_LT(logicalCompare(u"abc", u"abcd"), 0);
    EXPECT_GT(logicalCompare(u"x99999999999999999999", u"x100"), 0); // longer than 64 bits
}

TEST(PlatformText, HalfWidthAndControlCharacters)
{
    EXPECT_TRUE(isHalfWidth(u"Abc 123!~"));
    EXPECT_TRUE(isHalfWidth(u"ｱｲｳﾟ"));
    EXPECT_FALSE(isHalfWidth(u"abcあ"));
    EXPECT_FALSE(isHalfWidth(u"ＡＢＣ"));
    EXPECT_TRUE(isControlCharacter(QChar(u'\t')));
    EXPECT_TRUE(isControlCharacter(QChar(0x7F)));
    EXPECT_TRUE(isControlCharacter(QChar(0x85)));
    EXPECT_FALSE(isControlCharacter(QChar(u' ')));
    EXPECT_FALSE(isControlCharacter(QChar(u'本')));
    EXPECT_TRUE(hasControlCharacter(u"題名\x1f"));
    EXPECT_FALSE(hasControlCharacter(u"題名 です"));
}

TEST(PlatformPaths, SplitsOnTheLastSlash)
{
    EXPECT_EQ(folderOf(u"/a/b/c.kvb"), QStringLiteral("/a/b"));
    EXPECT_EQ(folderOf(u"c.kvb"), QString());
    EXPECT_EQ(fileNameOf(u"/a/b/c.tar.kvb"), QStringLiteral("c.tar.kvb"));
    EXPECT_EQ(extensionOf(u"/a.b/c"), QString());
    EXPECT_EQ(extensionOf(u"/a/c.JPEG"), QStringLiteral("JPEG"));
    EXPECT_EQ(baseNameOf(u"/a/c.tar.kvb"), QStringLiteral("c.tar"));
    EXPECT_EQ(joinPath(u"/a/", u"b"), QStringLiteral("/a/b"));
    EXPECT_EQ(joinPath(u"/a", u"b"), QStringLiteral("/a/b"));
    EXPECT_EQ(withoutTrailingSlash(u"/a/b//"), QStringLiteral("/a/b"));
    EXPECT_EQ(withoutTrailingSlash(u"/"), QStringLiteral("/"));
}

TEST(PlatformFolderMove, UpOneFolderAndDriveListRules)
{
    const QStringList roots = {"/", "/media/usb"};
    FolderMove m = upOneFolder("/a/b/c", roots);
    EXPECT_EQ(m.folder, "/a/b");
    EXPECT_EQ(m.selectName, "c");
    m = upOneFolder("/a/b/c/", roots); // a trailing slash is ignored
    EXPECT_EQ(m.folder, "/a/b");
    EXPECT_EQ(m.selectName, "c");
    m = upOneFolder("/a", roots);
    EXPECT_EQ(m.folder, "/");
    EXPECT_EQ(m.selectName, "a");
    m = upOneFolder("/", roots);
    EXPECT_TRUE(m.folder.isEmpty());
    EXPECT_EQ(m.selectName, "/");
    m = upOneFolder("/media/usb", roots);
    EXPECT_TRUE(m.folder.isEmpty());
    EXPECT_EQ(m.selectName, "/media/usb");
    m = toDriveList("/media/usb/books/x", roots);
    EXPECT_EQ(m.selectName, "/media/usb");
    m = toDriveList("/home/me", roots);
    EXPECT_EQ(m.selectName, "/");

    // Drive rows keep "root|display name"; the root is what a move compares.
    EXPECT_EQ(driveRootOf(Drive{"/media/usb", "USB"}.rowPath()), "/media/usb");
    EXPECT_EQ(driveRoots({{"/", "System"}, {"/media/usb", "USB"}}), roots);
}

TEST(PlatformSettings, StoreIsAnIniFileUnderTheCompanyInGroupSettings)
{
    {
        auto store = openSettings(QStringLiteral("UnitTest"));
        store->setValue(QStringLiteral("PageSpread"), 1);
    }
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QFile ini(config + QStringLiteral("/Velloran/UnitTest.ini"));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    EXPECT_TRUE(text.contains("[Settings]"));
    EXPECT_TRUE(text.contains("PageSpread=1"));
    EXPECT_EQ(openSettings(QStringLiteral("UnitTest"))->value(QStringLiteral("PageSpread")).toInt(), 1);
    EXPECT_TRUE(QFileInfo(localDataFolder(QStringLiteral("UnitTest"))).isDir());
}

TEST(PlatformSafeFile, TempFileLivesBesideTheTargetAndReplaceIsAtomic)
{
    QTemporaryDir dir;
    const TempFile temp = createTempFile(dir.path());
    ASSERT_GE(temp.fd, 0);
    EXPECT_EQ(folderOf(temp.path), dir.path());
    EXPECT_TRUE(fileNameOf(temp.path).startsWith(QStringLiteral("$KV")));
    ASSERT_EQ(::write(temp.fd, "new", 3), 3);
    ::close(temp.fd);

    const QString target = dir.filePath(QStringLiteral("book.kvb"));
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

    ASSERT_TRUE(replaceFile(temp.path, target));
    EXPECT_FALSE(QFile::exists(temp.path));
    QFile now(target);
    ASSERT_TRUE(now.open(QIODevice::ReadOnly));
    EXPECT_EQ(now.readAll(), QByteArray("new"));
}

TEST(PlatformSafeFile, ReplaceRefusesAFolderAndKeepsTheTemporaryFile)
{
    QTemporaryDir dir;
    const TempFile temp = createTempFile(dir.path());
    ASSERT_GE(temp.fd, 0);
    ::close(temp.fd);
    const QString target = dir.filePath(QStringLiteral("folder.kvb"));
    ASSERT_TRUE(QDir().mkpath(target + QStringLiteral("/inside")));
    EXPECT_FALSE(replaceFile(temp.path, target));
    EXPECT_TRUE(QFile::exists(temp.path));
    EXPECT_TRUE(QFileInfo(target).isDir());
    EXPECT_EQ(createTempFile(dir.filePath(QStringLiteral("missing"))).fd, -1);
}

TEST(PlatformPrompt, ScriptedPromptRecordsAndAnswers)
{
    ScriptedPrompt prompt;
    prompt.planAnswer(PromptAnswer::Cancel);
    EXPECT_EQ(prompt.message(QStringLiteral("q?"), PromptIcon::Question, PromptButtons::OkCancel),
              PromptAnswer::Cancel);
    // Unplanned questions take the first button.
    EXPECT_EQ(prompt.message(QStringLiteral("y?"), PromptIcon::Question, PromptButtons::YesNo),
              PromptAnswer::Yes);
    prompt.planFiles({QStringLiteral("/x/a.jpg"), QStringLiteral("/x/b.jpg")});
    EXPECT_EQ(prompt.openFiles({}, QStringLiteral("/x"), {}).size(), 2);
    EXPECT_TRUE(prompt.saveFile({}, QStringLiteral("/x/p.kvb"), {}).isEmpty()); // unplanned: cancelled
    EXPECT_EQ(prompt.texts(), (QStringList{"q?", "y?"}));
    ASSERT_EQ(prompt.dialogs().size(), 2u);
    EXPECT_EQ(prompt.dialogs()[1].start, QStringLiteral("/x/p.kvb"));
    prompt.beep();
    EXPECT_EQ(prompt.beeps(), 1);
}

TEST(PlatformVersion, FourNumbersWithLeadingSpace)
{
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^ \\d+\\.\\d+\\.\\d+\\.\\d+$")).match(versionText()).hasMatch());
}
