#include "pageview/readersettings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace leafreader;

namespace {

class SettingsStore : public testing::Test {
protected:
    std::unique_ptr<QSettings> store()
    {
        auto s = std::make_unique<QSettings>(m_dir.filePath(QStringLiteral("Leafreader.ini")),
                                             QSettings::IniFormat);
        s->beginGroup(QStringLiteral("Settings"));
        return s;
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SettingsStore, DefaultsWhenNothingIsStored)
{
    ReaderSettings s;
    s.load(*store());
    EXPECT_EQ(s.scaleText(), QStringLiteral("0:2:0:0"));
    EXPECT_EQ(s.skipForward, 10);
    EXPECT_EQ(s.skipBack, 10);
    EXPECT_FALSE(s.picEnlarge);
    EXPECT_EQ(s.space, 0);
    EXPECT_TRUE(s.hideCursor);
    EXPECT_EQ(s.apcPriority, 0);
    EXPECT_EQ(s.interval, 4);
    EXPECT_FALSE(s.loop);
}

TEST_F(SettingsStore, OutOfRangeValuesAreClampedOrIgnored)
{
    {
        auto st = store();
        st->setValue(QStringLiteral("SkipForward"), 0);
        st->setValue(QStringLiteral("SkipBack"), 1000);
        st->setValue(QStringLiteral("Space"), -4);
        st->setValue(QStringLiteral("Interval"), 99999);
        st->setValue(QStringLiteral("APCPriority"), 9);
        st->setValue(QStringLiteral("Scale"), QStringLiteral("3:4:12"));
        st->setValue(QStringLiteral("HideCursor"), QStringLiteral("junk"));
    }
    ReaderSettings s;
    s.load(*store());
    EXPECT_EQ(s.skipForward, 1);
    EXPECT_EQ(s.skipBack, 600);
    EXPECT_EQ(s.space, 0);
    EXPECT_EQ(s.interval, 3600);
    EXPECT_EQ(s.apcPriority, 5);
    EXPECT_EQ(s.scaleNormal, 3);
    EXPECT_EQ(s.scaleFullScreen, 4);
    EXPECT_EQ(s.scalePad, 10);
    EXPECT_EQ(s.scaleListColumn, 0);
    EXPECT_TRUE(s.hideCursor);

    s.setScaleText(QStringLiteral("1:2"));
    EXPECT_EQ(s.scaleText(), QStringLiteral("0:2:0:0"));
    s.setScaleText(QStringLiteral("-30:1:2:-5"));
    EXPECT_EQ(s.scaleText(), QStringLiteral("-10:1:2:-5"));
}

TEST_F(SettingsStore, ValuesWithTrailingJunkAreRefused)
{
    {
        auto st = store();
        st->setValue(QStringLiteral("Scale"), QStringLiteral("3:4:5:6x"));
        st->setValue(QStringLiteral("SkipForward"), QStringLiteral("20 pages"));
    }
    ReaderSettings s;
    s.load(*store());
    EXPECT_EQ(s.scaleText(), QStringLiteral("0:2:0:0"));
    EXPECT_EQ(s.skipForward, 10);
}

TEST_F(SettingsStore, SaveAndLoadRoundTrip)
{
    ReaderSettings s;
    s.setScaleText(QStringLiteral("1:-2:3:4"));
    s.skipForward = 20;
    s.skipBack = 5;
    s.picEnlarge = true;
    s.space = 12;
    s.hideCursor = false;
    s.apcPriority = 3;
    s.interval = 60;
    s.loop = true;
    s.save(*store());

    ReaderSettings back;
    back.load(*store());
    EXPECT_EQ(store()->value(QStringLiteral("PicEnlarge")).toInt(), 1);
    EXPECT_EQ(back.scaleText(), QStringLiteral("1:-2:3:4"));
    EXPECT_EQ(back.skipForward, 20);
    EXPECT_EQ(back.skipBack, 5);
    EXPECT_TRUE(back.picEnlarge);
    EXPECT_EQ(back.space, 12);
    EXPECT_FALSE(back.hideCursor);
    EXPECT_EQ(back.apcPriority, 3);
    EXPECT_EQ(back.interval, 60);
    EXPECT_TRUE(back.loop);
}
