// The list-mode widget: what it paints and how clicks and keys reach the
// list commands.
#include "pageview/bookcontroller.h"
#include "shelf/listcommands.h"
#include "shelf/shelflist.h"
#include "shelf/shelfview.h"
#include "shelf_testbooks.h"

#include <QApplication>
#include <QKeyEvent>
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

TEST(ListKeyTable, EachKeyOnEachScreen)
{
    struct Row {
        int key;
        Qt::KeyboardModifiers mods;
        int folder; // command on the folder screen (0 = none)
        int resume; // on the resume screen
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
    const Row rows[] = {
        {Qt::Key_Backspace, none, CmdDeleteResume, CmdDeleteResume},
        {Qt::Key_Backspace, shift, CmdUpFolder, 0},
        {Qt::Key_Tab, none, CmdSwitchScreenKeep, CmdSwitchScreenKeep},
        {Qt::Key_Tab, ctrl, 0, 0},
        {Qt::Key_Return, none, CmdOpenRow, CmdOpenRow},
        {Qt::Key_Return, Qt::AltModifier, CmdEnterFullScreen, CmdEnterFullScreen},
        {Qt::Key_Escape, none, CmdTopFolder, 0},
        {Qt::Key_Escape, ctrl, 0, 0},
        {Qt::Key_O, ctrl, CmdSwitchScreen, CmdSwitchScreen},
        {Qt::Key_O, ctrl | shift, 0, 0},
        {Qt::Key_O, none, 0, 0},
        {Qt::Key_F, ctrl, CmdFullScreen, CmdFullScreen},
        {Qt::Key_I, ctrl, CmdFileInfo, CmdFileInfo},
        {Qt::Key_3, ctrl, CmdLeaveFullScreen, CmdLeaveFullScreen},
        {Qt::Key_3, none, 0, 0},
        // The page accelerators mean nothing without a book.
        {Qt::Key_E, ctrl, 0, 0},
        {Qt::Key_MediaNext, none, 0, 0},
        {Qt::Key_MediaPrevious, none, CmdUpFolder, 0},
        {Qt::Key_MediaPrevious, ctrl, CmdUpFolder, 0},
        {Qt::Key_MediaStop, none, 0, 0},
        {Qt::Key_MediaPlay, none, CmdOpenRow, CmdOpenRow},
        {Qt::Key_MediaTogglePlayPause, shift, CmdOpenRow, CmdOpenRow},
        {Qt::Key_MediaPause, none, CmdOpenRow, CmdOpenRow},
    };
    for (const Row &r : rows) {
        const QString key = QKeySequence(r.key | r.mods).toString();
        EXPECT_EQ(listKeyAction(r.key, r.mods, true).command, r.folder) << "folder screen, " << key.toStdString();
        EXPECT_EQ(listKeyAction(r.key, r.mods, false).command, r.resume) << "resume screen, " << key.toStdString();
    }
    // The volume keys are taken without acting, so the list does not see them.
    for (int key : {Qt::Key_VolumeMute, Qt::Key_VolumeDown, Qt::Key_VolumeUp}) {
        EXPECT_TRUE(listKeyAction(key, Qt::NoModifier, true).swallow);
        EXPECT_EQ(listKeyAction(key, Qt::NoModifier, false).command, 0);
    }
    // The play/pause key means the same in book mode and in list mode,
    // however the keyboard sends it.
    for (int key : {Qt::Key_MediaPlay, Qt::Key_MediaPause, Qt::Key_MediaTogglePlayPause})
        EXPECT_EQ(bookKeyCommand(key, Qt::NoModifier), CmdCloseAdd);
}

TEST_F(ShelfViewTest, ListKeysReachTheirCommands)
{
    view.start();
    view.show();
    QSignalSpy open(&view, &ShelfView::openBookRequested);
    QSignalSpy frame(&view, &ShelfView::frameCommand);
    ASSERT_TRUE(view.model().onResumeScreen());
    view.list()->setFocus();
    // Media keys have no text, so they go as plain key events.
    const auto press = [this](int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, mods);
        QApplication::sendEvent(view.list(), &event);
    };

    // Esc on the resume screen does nothing; Ctrl+O switches screens.
    press(Qt::Key_Escape);
    EXPECT_TRUE(view.model().onResumeScreen());
    EXPECT_EQ(prompt.beeps(), 0);
    press(Qt::Key_O, Qt::ControlModifier);
    ASSERT_FALSE(view.model().onResumeScreen());
    EXPECT_EQ(view.model().currentFolder(), library);

    // Media play/pause opens the selected row, whichever key the keyboard sends.
    view.model().select(1);
    view.refresh();
    press(Qt::Key_MediaPause);
    press(Qt::Key_MediaTogglePlayPause);
    ASSERT_EQ(open.count(), 2);
    EXPECT_EQ(open.at(0).at(0).value<BookEntry>().title, "Harbour 2");

    // Ctrl+3 and Ctrl+F go to the frame; the volume keys to nobody.
    press(Qt::Key_3, Qt::ControlModifier);
    press(Qt::Key_F, Qt::ControlModifier);
    press(Qt::Key_VolumeUp);
    ASSERT_EQ(frame.count(), 2);
    EXPECT_EQ(frame.at(0).at(0).toInt(), CmdLeaveFullScreen);
    EXPECT_EQ(frame.at(1).at(0).toInt(), CmdFullScreen);

    // Media previous climbs a folder; Esc goes to the drive list, selecting
    // the drive of the folder left.
    press(Qt::Key_MediaPrevious);
    EXPECT_EQ(view.model().currentFolder(), m_dir.path());
    EXPECT_EQ(view.model().rows()[size_t(view.model().selected())].title, "library");
    press(Qt::Key_Escape);
    EXPECT_TRUE(view.model().inDriveList());
    // Tab on the folder screen goes back to the resume screen.
    press(Qt::Key_Tab);
    EXPECT_TRUE(view.model().onResumeScreen());
    EXPECT_EQ(prompt.beeps(), 0);
}
