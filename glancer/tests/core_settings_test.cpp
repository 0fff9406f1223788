// Glancer's settings: defaults, limits when read, and what the dialog writes.
#include "core/glancersettings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace glancer;

namespace {

struct Store {
    QTemporaryDir dir;
    QSettings settings{dir.filePath("Glancer.ini"), QSettings::IniFormat};
};

GlancerSettings loaded(QSettings &store)
{
    GlancerSettings s;
    s.load(store);
    return s;
}

} // namespace

TEST(GlancerSettingsTest, DefaultsAndLimitsWhenRead)
{
    Store store;
    GlancerSettings s = loaded(store.settings);
    EXPECT_EQ(s.fontSizeText(), "2:4:40");
    EXPECT_EQ(s.skipForward, 12);
    EXPECT_EQ(s.layout2, 2);
    EXPECT_EQ(s.picExt, 7);
    EXPECT_TRUE(s.hideCursor);
    EXPECT_TRUE(s.currentFolder.isEmpty());

    store.settings.setValue("FontSize", "1:3");
    store.settings.setValue("SkipForward", 0);
    store.settings.setValue("SkipBack", 1000);
    store.settings.setValue("Layout2", 4);
    store.settings.setValue("Bind", 2);
    store.settings.setValue("PicExt", 0);
    store.settings.setValue("Space", 31);
    store.settings.setValue("HideCursor", 0);
    s = loaded(store.settings);
    EXPECT_EQ(s.sizeNormal, 1);
    EXPECT_EQ(s.sizeFullScreen, 3);
    EXPECT_EQ(s.padSize, 40);
    EXPECT_EQ(s.skipForward, 1);
    EXPECT_EQ(s.skipBack, 600);
    EXPECT_EQ(s.layout2, 2);
    EXPECT_EQ(s.bind, 0);
    EXPECT_EQ(s.picExt, 0);
    EXPECT_EQ(s.space, 30);
    EXPECT_FALSE(s.hideCursor);

    store.settings.setValue("FontSize", "7");
    store.settings.setValue("PicExt", 0xFF);
    store.settings.setValue("Layout2", 3);
    store.settings.setValue("Bind", 1);
    s = loaded(store.settings);
    EXPECT_EQ(s.fontSizeText(), "2:4:40");
    EXPECT_EQ(s.picExt, 0x1F);
    EXPECT_EQ(s.layout2, 3);
    EXPECT_EQ(s.bind, 1);

    // Indices beyond the size table and pad sizes beyond the slider's range.
    store.settings.setValue("FontSize", "9:-1:500");
    s = loaded(store.settings);
    EXPECT_EQ(s.fontSizeText(), "4:0:100");
    // A third part that is no number: the two indices stay, the pad size
    // alone falls back.
    for (const char *text : {"0:0:abc", "1:3:", "1:3:55:9", "1:3:x40"}) {
        store.settings.setValue("FontSize", text);
        s = loaded(store.settings);
        EXPECT_EQ(s.fontSizeText(), text[0] == '0' ? "0:0:40" : "1:3:40") << text;
    }
    store.settings.setValue("FontSize", "1:x:3");
    EXPECT_EQ(loaded(store.settings).fontSizeText(), "2:4:40");
    // Unreadable values keep the defaults.
    store.settings.setValue("SkipForward", "12x");
    EXPECT_EQ(loaded(store.settings).skipForward, 12);
}

TEST(GlancerSettingsTest, DialogValuesRoundTrip)
{
    Store store;
    GlancerSettings s;
    s.sizeNormal = 0;
    s.padSize = 77;
    s.skipBack = 3;
    s.layout2 = 3;
    s.bind = 1;
    s.picEnlarge = true;
    s.picExt = 0;
    s.space = 9;
    s.hideCursor = false;
    s.currentFolder = QStringLiteral("/tmp");
    s.saveDialogValues(store.settings);
    EXPECT_EQ(store.settings.value("FontSize").toString(), "0:4:77");
    EXPECT_EQ(store.settings.value("PicExt").toInt(), 0);
    EXPECT_FALSE(store.settings.contains("CurrentFolder"));
    s.saveCurrentFolder(store.settings);
    const GlancerSettings back = loaded(store.settings);
    EXPECT_EQ(back.fontSizeText(), "0:4:77");
    EXPECT_EQ(back.skipBack, 3);
    EXPECT_EQ(back.layout2, 3);
    EXPECT_EQ(back.bind, 1);
    EXPECT_TRUE(back.picEnlarge);
    EXPECT_EQ(back.picExt, 0);
    EXPECT_EQ(back.space, 9);
    EXPECT_FALSE(back.hideCursor);
    EXPECT_EQ(back.currentFolder, "/tmp");
}
