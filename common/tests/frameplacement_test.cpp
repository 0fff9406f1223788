#include "ui/frameplacement.h"
#include "ui/windowplacement.h"

#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

using namespace ui;

namespace {

// Runs `body` with VELLORAN_IGNORE_WINPOS set to `value` (empty: unset); the
// shared test main sets it to 1.
template <typename Body>
void withIgnoreWinPos(const QByteArray &value, Body body)
{
    const QByteArray before = qgetenv("VELLORAN_IGNORE_WINPOS");
    const auto restore = qScopeGuard([&before] { qputenv("VELLORAN_IGNORE_WINPOS", before); });
    if (value.isEmpty())
        qunsetenv("VELLORAN_IGNORE_WINPOS");
    else
        qputenv("VELLORAN_IGNORE_WINPOS", value);
    body();
}

} // namespace

TEST(UiFrameSettings, WindowPosNeedsTenNumbersAndRoundTrips)
{
    QTemporaryDir dir;
    QSettings store(dir.filePath("s.ini"), QSettings::IniFormat);
    FrameSettings s;
    s.load(store);
    EXPECT_FALSE(s.hasWindowPos);
    EXPECT_FALSE(s.fullScreen);

    store.setValue("WindowPos", "0:1:-1:-1:-1:-1:10:20:810"); // nine numbers
    store.setValue("FullScreen", "junk");
    s.fullScreen = true;
    s.load(store);
    EXPECT_FALSE(s.hasWindowPos);
    EXPECT_TRUE(s.fullScreen); // not a number: the value held stays
    store.setValue("WindowPos", "0:1:-1:-1:-1:-1:10:20:810:600x"); // trailing junk
    store.setValue("FullScreen", "1x");
    s.fullScreen = false;
    s.load(store);
    EXPECT_FALSE(s.hasWindowPos);
    EXPECT_FALSE(s.fullScreen);

    s.hasWindowPos = true;
    s.windowPos = {2, 3, -1, -1, -8, -8, 100, 80, 900, 700};
    s.fullScreen = true;
    s.save(store);
    EXPECT_EQ(store.value("WindowPos").toString(), "2:3:-1:-1:-8:-8:100:80:900:700");
    EXPECT_EQ(store.value("FullScreen").toInt(), 1);
    FrameSettings back;
    back.load(store);
    EXPECT_TRUE(back.hasWindowPos);
    EXPECT_EQ(back.windowPos, s.windowPos);
    EXPECT_TRUE(back.fullScreen);
}

TEST(UiFramePlacement, StoredPlacementUnlessIgnoredAndTakenBackOnStore)
{
    FrameSettings settings;
    settings.hasWindowPos = true;
    settings.windowPos = {0, 1, -1, -1, -1, -1, 120, 90, 920, 690};
    withIgnoreWinPos("", [&] {
        QWidget window;
        FramePlacement placement(window, settings);
        EXPECT_EQ(window.minimumSize(), QSize(640, 480));
        placement.showAtStart();
        EXPECT_EQ(window.geometry(), QRect(120, 90, 800, 600));
        window.showMaximized();
        placement.store();
        EXPECT_EQ(settings.windowPos.flags, WindowPlacement::kRestoreToMaximized);
        EXPECT_EQ(settings.windowPos.showCommand, WindowPlacement::kShowMaximized);
        EXPECT_EQ(settings.windowPos.left, 120);
        EXPECT_EQ(settings.windowPos.bottom, 690);
    });
    withIgnoreWinPos("1", [&] {
        QWidget window;
        FramePlacement placement(window, settings);
        placement.showAtStart();
        EXPECT_EQ(window.size(), FramePlacement::kDefaultSize);
        EXPECT_FALSE(window.isMaximized());
    });
}

TEST(UiFramePlacement, FullScreenSwitchesAndTheFallbackWindow)
{
    // A full-screen start without a stored placement leaves full screen for
    // the fixed fallback window.
    FrameSettings settings;
    settings.fullScreen = true;
    QWidget window;
    FramePlacement placement(window, settings);
    std::vector<bool> switched;
    placement.onSwitched = [&switched](bool on) { switched.push_back(on); };
    placement.showAtStart();
    ASSERT_TRUE(placement.fullScreen());
    EXPECT_EQ(placement.userSwitch(), 0);
    placement.leaveFullScreenUnlessUser(); // came from the start: Ctrl+3 leaves
    EXPECT_FALSE(placement.fullScreen());
    EXPECT_EQ(window.geometry(), FramePlacement::kFallbackWindow);

    // Switched on by the user, Ctrl+3 stays; Alt+Enter in full screen makes
    // it the program's, and Ctrl+3 leaves again.
    placement.toggleFullScreen();
    EXPECT_TRUE(placement.fullScreen());
    EXPECT_EQ(placement.userSwitch(), 1);
    placement.leaveFullScreenUnlessUser();
    EXPECT_TRUE(placement.fullScreen());
    placement.enterFullScreen();
    EXPECT_EQ(placement.userSwitch(), 0);
    placement.leaveFullScreenUnlessUser();
    EXPECT_FALSE(placement.fullScreen());
    EXPECT_EQ(switched, (std::vector<bool>{false, true, false}));

    // Storing in full screen keeps the placement taken on entering it.
    window.setGeometry(200, 150, 700, 500);
    placement.enterFullScreen();
    placement.store();
    EXPECT_TRUE(settings.fullScreen);
    EXPECT_EQ(settings.windowPos.left, 200);
    EXPECT_EQ(settings.windowPos.right, 900);
}
