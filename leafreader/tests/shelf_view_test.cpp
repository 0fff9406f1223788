// The list-mode widget: what it paints and how clicks and keys reach the
// list commands.
#include "shelf/listcommands.h"
#include "shelf/shelflist.h"
#include "shelf/shelfview.h"
#include "shelf_testbooks.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace leafreader;
using shelftest::TestBook;

namespace {

class ShelfViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        library = m_dir.path() + "/library";
        QDir().mkpath(library + "/sub");
        TestBook book;
        book.title = "Harbour 2";
        book.author = "Author";
        book.year = 2021;
        book.month = 3;
        ASSERT_TRUE(shelftest::writeBook(library + "/b.kvb", book));
        book.title = "Harbour 10";
        book.thumbnail = false;
        ASSERT_TRUE(shelftest::writeBook(library + "/a.kvb", book));
        listSettings.currentFolder = library;
        listSettings.sortModeF = 0;
        listSettings.resume[0] = "2|2|2|0|0|" + library + "/b.kvb";
        view.persist = [this] { ++persisted; };
        view.resize(900, 600);
    }

    QTemporaryDir m_dir;
    QString library;
    ReaderSettings settings;
    ShelfSettings listSettings;
    QSettings store{m_dir.filePath("Leafreader.ini"), QSettings::IniFormat};
    platform::ScriptedPrompt prompt;
    ShelfView view{settings, listSettings, store, prompt};
    int persisted = 0;
};

} // namespace

TEST_F(ShelfViewTest, PaintsHeaderAndTiles)
{
    view.start();
    ASSERT_TRUE(view.model().onResumeScreen());
    view.onCommand(CmdSwitchScreen);
    ASSERT_FALSE(view.model().onResumeScreen());
    const QImage shot = view.grab().toImage();
    if (qEnvironmentVariableIsSet("SHELF_VIEW_SHOT"))
        shot.save(qEnvironmentVariable("SHELF_VIEW_SHOT"));
    const TileMetrics &m = view.metrics();
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(40, 60, 80)); // folder screen background
    // Rows: sub, Harbour 2, Harbour 10; the second tile's picture is its
    // thumbnail (grey 0x60) with the resume badge in its corner.
    const QRect second = view.list()->visualRect(view.list()->model()->index(1, 0));
    const QPoint inList = view.list()->mapTo(&view, second.topLeft());
    const QColor thumb = shot.pixelColor(inList + QPoint(5, 5));
    EXPECT_NEAR(thumb.red(), 0x60, 3);
    const QRect badge = m.badgeRect();
    const QColor badgeColour = shot.pixelColor(inList + QPoint(0, 1) + badge.topLeft() + QPoint(2, 2));
    EXPECT_GT(badgeColour.red(), 180);

    view.onCommand(CmdSwitchScreen);
    EXPECT_EQ(view.grab().toImage().pixelColor(2, 2), QColor(80, 60, 40));
}

TEST_F(ShelfViewTest, HeaderIconsAndPadClicks)
{
    listSettings.resume[0].clear();
    view.start();
    view.show();
    ASSERT_FALSE(view.model().onResumeScreen());
    QSignalSpy pad(&view, &ShelfView::controlPadRequested);
    QSignalSpy frame(&view, &ShelfView::frameCommand);
    const HeaderLayout header = view.headerLayout();
    ASSERT_TRUE(header.upFolderShown);
    // Press and release on "switch screen".
    const QPoint icon1 = header.iconRect(IconSwitchScreen).center();
    QTest::mousePress(&view, Qt::LeftButton, {}, icon1);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, icon1);
    EXPECT_TRUE(view.model().onResumeScreen());
    // Released on another icon: nothing.
    QTest::mousePress(&view, Qt::LeftButton, {}, view.headerLayout().iconRect(IconSwitchScreen).center());
    QTest::mouseRelease(&view, Qt::LeftButton, {}, view.headerLayout().iconRect(IconSettings).center());
    EXPECT_TRUE(view.model().onResumeScreen());
    // Header text area: the control pad.
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(pad.count(), 1);
    EXPECT_EQ(frame.count(), 0);
}

TEST_F(ShelfViewTest, KeysAndDoubleClickOpen)
{
    listSettings.resume[0].clear();
    view.start();
    view.show();
    QSignalSpy open(&view, &ShelfView::openBookRequested);
    // Enter on the folder row enters it; Shift+Backspace climbs back.
    view.list()->setFocus();
    QTest::keyClick(view.list(), Qt::Key_Return);
    EXPECT_EQ(view.model().currentFolder(), library + "/sub");
    QTest::keyClick(view.list(), Qt::Key_Backspace, Qt::ShiftModifier);
    EXPECT_EQ(view.model().currentFolder(), library);
    EXPECT_EQ(view.model().selected(), 0);
    QTest::keyClick(view.list(), Qt::Key_Right); // the list keeps the arrows
    EXPECT_EQ(view.model().selected(), 1);
    QTest::keyClick(view.list(), Qt::Key_Return);
    ASSERT_EQ(open.count(), 1);
    EXPECT_EQ(open.at(0).at(0).value<BookEntry>().title, "Harbour 2");

    const QRect third = view.list()->visualRect(view.list()->model()->index(2, 0));
    QTest::mouseClick(view.list()->viewport(), Qt::LeftButton, {}, third.center());
    QTest::mouseDClick(view.list()->viewport(), Qt::LeftButton, {}, third.center());
    ASSERT_EQ(open.count(), 2);
    EXPECT_EQ(open.at(1).at(0).value<BookEntry>().title, "Harbour 10");

    // Tab switches to the resume screen instead of moving the focus.
    QTest::keyClick(view.list(), Qt::Key_Tab);
    EXPECT_TRUE(view.model().onResumeScreen());
    QTest::keyClick(view.list(), Qt::Key_Tab);
    EXPECT_FALSE(view.model().onResumeScreen());

    // Backspace on a book without a resume position beeps, and so does file
    // information on a folder row.
    const int beeps = prompt.beeps();
    QTest::keyClick(view.list(), Qt::Key_Backspace);
    EXPECT_EQ(prompt.beeps(), beeps + 1);
    QTest::keyClick(view.list(), Qt::Key_Home);
    ASSERT_EQ(view.model().selected(), 0);
    QTest::keyClick(view.list(), Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(prompt.beeps(), beeps + 2);
}

TEST_F(ShelfViewTest, SettingsApplyTheLayoutAndStore)
{
    view.start();
    QSignalSpy applied(&view, &ShelfView::settingsApplied);
    view.editSettings = [](ReaderSettings &values, ShelfSettings &listValues) {
        values.scaleNormal = 4;
        listValues.sortModeR = 2;
        values.skipForward = 50;
        return true;
    };
    const int before = view.metrics().headerHeight;
    view.onCommand(CmdSettings);
    EXPECT_EQ(applied.count(), 1);
    EXPECT_EQ(settings.skipForward, 50);
    EXPECT_EQ(listSettings.sortModeR, 2);
    EXPECT_GT(view.metrics().headerHeight, before);
    EXPECT_EQ(store.value("Scale").toString(), "4:2:0:0");
    EXPECT_EQ(store.value("SkipForward").toInt(), 50);
    EXPECT_EQ(store.value("SortModeR").toInt(), 2);

    view.setFullScreen(true); // the full-screen scale (2) applies
    EXPECT_EQ(view.metrics().scaleUnit, 18);
    EXPECT_TRUE(view.headerLayout().iconShown(IconCloseProgram));
}
