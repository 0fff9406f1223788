#include "core/retonerprofile.h"
#include "core/settingsfile.h"

#include <platform/prompt.h>

#include <platform/settings.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "qtprint.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace retoner;

namespace {

QString touch(const QString &path)
{
    testsupport::writeFile(path, "x");
    return path;
}

} // namespace

TEST(RecentSettings, HeadInsertCaseInsensitiveAndTenAtMost)
{
    RecentSettings recent;
    for (int i = 0; i < 12; ++i)
        recent.add(QStringLiteral("/s/file%1.tnp").arg(i));
    ASSERT_EQ(recent.paths().size(), 10);
    EXPECT_EQ(recent.paths().front(), QStringLiteral("/s/file11.tnp"));
    EXPECT_EQ(recent.paths().back(), QStringLiteral("/s/file2.tnp"));

    // Saving under a known name in other letter case moves it to the head.
    recent.add(QStringLiteral("/S/FILE5.TNP"));
    EXPECT_EQ(recent.paths().size(), 10);
    EXPECT_EQ(recent.paths().front(), QStringLiteral("/S/FILE5.TNP"));
    EXPECT_EQ(recent.paths().count(QStringLiteral("/s/file5.tnp")), 0);
    EXPECT_EQ(recent.shortNames().front(), QStringLiteral("FILE5"));

    EXPECT_EQ(RecentSettings::shortName(QStringLiteral("/a.b/c.d.tnp")), QStringLiteral("c.d"));
    EXPECT_EQ(RecentSettings::shortName(QStringLiteral("/a.b/plain")), QStringLiteral("plain"));
    EXPECT_EQ(recent.indexOfShortName(QStringLiteral("file9")), 3);
    EXPECT_EQ(recent.indexOfShortName(QStringLiteral("FILE9")), -1);
}

TEST(RetonerProfile, StoreRoundTripAndWhatLoadRefuses)
{
    QTemporaryDir dir;
    const QString a = touch(dir.filePath(QStringLiteral("a.tnp")));
    const QString b = touch(dir.filePath(QStringLiteral("b.tnp")));
    {
        auto store = platform::openSettings(QStringLiteral("Retoner"));
        store->remove(QString());
        store->setValue(QStringLiteral("WinPos"), QStringLiteral("10;20;300;400"));
        store->setValue(QStringLiteral("ImageFolder"), dir.path());
        store->setValue(QStringLiteral("TNPFolder"), dir.filePath(QStringLiteral("gone")));
        store->setValue(QStringLiteral("Setting0"), a);
        store->setValue(QStringLiteral("Setting1"), dir.filePath(QStringLiteral("missing.tnp")));
        store->setValue(QStringLiteral("Setting2"), a);                      // a duplicate
        store->setValue(QStringLiteral("Setting3"), dir.path());              // a folder
        store->setValue(QStringLiteral("Setting4"), b);
        store->setValue(QStringLiteral("LastSetting"), QStringLiteral("b"));
    }
    RetonerProfile profile;
    {
        auto store = platform::openSettings(QStringLiteral("Retoner"));
        profile.load(*store);
    }
    ASSERT_TRUE(profile.windowRect.has_value());
    EXPECT_EQ(*profile.windowRect, QRect(10, 20, 300, 400));
    EXPECT_EQ(profile.imageFolder, dir.path());
    EXPECT_EQ(profile.tnpFolder, QString());
    EXPECT_EQ(profile.recent.paths(), (QStringList{a, b}));
    EXPECT_EQ(profile.recent.indexOfShortName(profile.lastSetting), 1);

    {
        auto store = platform::openSettings(QStringLiteral("Retoner"));
        profile.save(*store);
    }
    auto store = platform::openSettings(QStringLiteral("Retoner"));
    EXPECT_EQ(store->value(QStringLiteral("Setting1")).toString(), b);
    EXPECT_FALSE(store->contains(QStringLiteral("Setting2")));
    EXPECT_FALSE(store->contains(QStringLiteral("Setting4")));
    EXPECT_EQ(store->value(QStringLiteral("WinPos")).toString(), QStringLiteral("10;20;300;400"));
}

TEST(RetonerProfile, LastSettingLivesInTheLocalDataFolder)
{
    const QString path = lastSettingPath();
    ASSERT_FALSE(path.isEmpty());
    EXPECT_TRUE(path.endsWith(QStringLiteral("/Velloran/Retoner/$LastSetting.tnp")));
    EXPECT_TRUE(QFileInfo(QFileInfo(path).path()).isDir());

    platform::ScriptedPrompt prompt;
    QFile::remove(path);
    ToneSettings settings;
    EXPECT_FALSE(readLastSettings(settings, prompt)); // none yet: silently nothing
    settings.mono.curve = -55;
    ASSERT_TRUE(writeLastSettings(settings, prompt));
    ToneSettings back;
    EXPECT_TRUE(readLastSettings(back, prompt));
    EXPECT_EQ(back.mono.curve, -55);
    EXPECT_TRUE(prompt.texts().isEmpty());
    QFile::remove(path);
}
