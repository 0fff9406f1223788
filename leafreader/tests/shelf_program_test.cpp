// The reader as a whole: started on a folder, a book opened from the list
// and closed again with Ctrl+S; and the program binary itself.
#include "leafreaderstartup.h"
#include "shelf/listcommands.h"
#include "shelf/shelflist.h"
#include "shelf/shelfmodel.h"
#include "shelf_testbooks.h"

#include "platform/filenames.h"
#include "platform/paths.h"
#include "platform/settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

using namespace leafreader;
using shelftest::TestBook;

namespace {

QString programPath()
{
    return QStringLiteral(VELLORAN_BUILD_DIR "/leafreader/leafreader");
}

} // namespace

TEST(LeafreaderProgram, OpensFromTheListAndRegistersOnCtrlS)
{
    QTemporaryDir dir;
    const QString library = dir.path() + "/library";
    QDir().mkpath(library);
    TestBook book;
    book.title = "Only book";
    book.pages = 6;
    ASSERT_TRUE(shelftest::writeBook(library + "/only.kvb", book));
    // An unreadable book: reported when the folder is listed.
    ASSERT_TRUE(testsupport::writeFile(library + "/broken.kvb", QByteArray("KVB")));
    {
        auto store = platform::openSettings("Leafreader");
        store->remove("");
        store->setValue("CurrentFolder", library);
    }

    const auto store = platform::openSettings("Leafreader");
    platform::ScriptedPrompt prompt;
    LeafreaderStartup startup(LaunchOptions{}, *store, prompt);
    ASSERT_EQ(startup.start(false), LeafreaderStartup::StartResult::Running);
    CLeafreaderView &view = startup.frame().view();
    ShelfView &shelf = startup.shelf();
    ASSERT_FALSE(view.bookMode());
    EXPECT_FALSE(startup.frame().windowIcon().isNull());
    if (qEnvironmentVariableIsSet("SHELF_DIALOG_SHOTS"))
        startup.frame().windowIcon().pixmap(64, 64).save(qEnvironmentVariable("SHELF_DIALOG_SHOTS") + "/icon.png");
    ASSERT_FALSE(shelf.model().onResumeScreen()); // no resume entries yet
    ASSERT_EQ(shelf.model().rows().size(), 1u);

    shelf.list()->setFocus();
    QTest::keyClick(shelf.list(), Qt::Key_Return);
    ASSERT_TRUE(view.bookMode()) << prompt.texts().join('\n').toStdString();
    EXPECT_EQ(startup.frame().windowTitle(), "only.kvb - Leafreader");
    // Switching full screen while reading does not list the folder again
    // (which would report the broken book in the middle of the book).
    const qsizetype reported = prompt.texts().size();
    EXPECT_GE(reported, 1);
    QTest::keyClick(&view, Qt::Key_F, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(prompt.texts().size(), reported) << prompt.texts().join('\n').toStdString();
    QTest::keyClick(&view, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
    ASSERT_FALSE(view.bookMode());
    EXPECT_EQ(startup.frame().windowTitle(), "Leafreader");

    // The entry is there and already stored, without waiting for the exit.
    ASSERT_EQ(shelf.model().resume().size(), 1);
    EXPECT_EQ(shelf.model().resume().entries()[0].page, 3);
    EXPECT_EQ(platform::openSettings("Leafreader")->value("Resume0").toString(),
              "2|3|6|0|0|" + library + "/only.kvb");
    EXPECT_EQ(shelf.model().selectedRow()->page, 3);

    // The resume screen lists it; opening it there and closing with Ctrl+C
    // (overwrite) keeps one entry.
    shelf.onCommand(CmdSwitchScreen);
    ASSERT_TRUE(shelf.model().onResumeScreen());
    QTest::keyClick(shelf.list(), Qt::Key_Return);
    ASSERT_TRUE(view.bookMode());
    QTest::keyClick(&view, Qt::Key_End);
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    ASSERT_EQ(shelf.model().resume().size(), 1);
    EXPECT_EQ(shelf.model().resume().entries()[0].page, 6);
    EXPECT_TRUE(shelf.model().onResumeScreen());
}

TEST(LeafreaderProgram, FileInformationOfAMovedOpenBookReadsTheOpenFile)
{
    QTemporaryDir dir;
    const QString library = dir.path() + "/library";
    QDir().mkpath(library);
    QDir().mkpath(dir.path() + "/elsewhere");
    TestBook book;
    book.title = "Moved while read";
    book.pages = 6;
    ASSERT_TRUE(shelftest::writeBook(library + "/moving.kvb", book));
    {
        auto store = platform::openSettings("Leafreader");
        store->remove("");
        store->setValue("CurrentFolder", library);
    }
    const auto store = platform::openSettings("Leafreader");
    platform::ScriptedPrompt prompt;
    LeafreaderStartup startup(LaunchOptions{}, *store, prompt);
    ASSERT_EQ(startup.start(false), LeafreaderStartup::StartResult::Running);
    std::vector<FileInformation> shown;
    startup.shelf().showInformation = [&shown](const FileInformation &info) { shown.push_back(info); };
    CLeafreaderView &view = startup.frame().view();
    startup.shelf().list()->setFocus();
    QTest::keyClick(startup.shelf().list(), Qt::Key_Return);
    ASSERT_TRUE(view.bookMode());

    // The book is moved away while it is shown: Ctrl+I still reads it.
    ASSERT_TRUE(QFile::rename(library + "/moving.kvb", dir.path() + "/elsewhere/moved.kvb"));
    QTest::keyClick(&view, Qt::Key_I, Qt::ControlModifier);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].read);
    EXPECT_EQ(shown[0].path, library + "/moving.kvb");
    EXPECT_EQ(shown[0].header.pageCount, 6);
    EXPECT_TRUE(shown[0].showsThumbnail());
    ASSERT_EQ(shown[0].attributes.size(), 1u);
    EXPECT_EQ(shown[0].attributes[0].text, "Moved while read");
}

TEST(LeafreaderProgram, HandingOverABookKeepsThePlaceOfTheShownOne)
{
    QTemporaryDir dir;
    const QString library = dir.path() + "/library";
    QDir().mkpath(library);
    TestBook book;
    book.pages = 8;
    book.title = "First";
    ASSERT_TRUE(shelftest::writeBook(library + "/first.kvb", book));
    book.title = "Second";
    ASSERT_TRUE(shelftest::writeBook(library + "/second.kvb", book));
    {
        auto store = platform::openSettings("Leafreader");
        store->remove("");
        store->setValue("CurrentFolder", library);
    }
    const auto store = platform::openSettings("Leafreader");
    platform::ScriptedPrompt prompt;
    LeafreaderStartup startup(LaunchOptions{}, *store, prompt);
    ASSERT_EQ(startup.start(false), LeafreaderStartup::StartResult::Running);
    CLeafreaderView &view = startup.frame().view();
    ShelfView &shelf = startup.shelf();
    const auto entries = [&shelf] {
        QStringList out;
        for (const BookEntry &e : shelf.model().resume().entries())
            out << QStringLiteral("%1@%2").arg(platform::fileNameOf(e.path)).arg(e.page);
        return out;
    };

    // Opened from the folder screen and read to page 3: a later start hands
    // over the second book; the first is registered as Ctrl+S would.
    shelf.list()->setFocus();
    QTest::keyClick(shelf.list(), Qt::Key_Return);
    ASSERT_TRUE(view.bookMode());
    QTest::keyClick(&view, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_N, Qt::ControlModifier);
    startup.openPath(library + "/second.kvb");
    ASSERT_TRUE(view.bookMode());
    EXPECT_EQ(startup.frame().windowTitle(), "second.kvb - Leafreader");
    EXPECT_EQ(entries(), QStringList({"first.kvb@3"}));
    EXPECT_EQ(platform::openSettings("Leafreader")->value("Resume0").toString(),
              "2|3|8|0|0|" + library + "/first.kvb");

    // Opened from its resume entry and read on to page 5, the first book is
    // dropped on the window again: its entry moves on as Ctrl+C would move it.
    QTest::keyClick(&view, Qt::Key_Escape);
    shelf.onCommand(CmdSwitchScreen);
    ASSERT_TRUE(shelf.model().onResumeScreen());
    QTest::keyClick(shelf.list(), Qt::Key_Return);
    ASSERT_EQ(startup.frame().windowTitle(), "first.kvb - Leafreader");
    QTest::keyClick(&view, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_N, Qt::ControlModifier);
    emit startup.frame().fileDropped(library + "/second.kvb");
    ASSERT_TRUE(view.bookMode());
    EXPECT_EQ(startup.frame().windowTitle(), "second.kvb - Leafreader");
    EXPECT_EQ(entries(), QStringList({"first.kvb@5"}));
    EXPECT_TRUE(prompt.texts().isEmpty()) << prompt.texts().join('\n').toStdString();
}

TEST(LeafreaderProgram, HandingOverABookWithTheResumeListFullKeepsTheShownOneOpen)
{
    QTemporaryDir dir;
    const QString library = dir.path() + "/library";
    QDir().mkpath(library);
    TestBook book;
    book.pages = 8;
    ASSERT_TRUE(shelftest::writeBook(library + "/first.kvb", book));
    ASSERT_TRUE(shelftest::writeBook(library + "/second.kvb", book));
    {
        auto store = platform::openSettings("Leafreader");
        store->remove("");
        store->setValue("CurrentFolder", library);
        for (int i = 0; i < 100; ++i)
            store->setValue(QStringLiteral("Resume%1").arg(i), QStringLiteral("2|%1|8|0|0|%2/second.kvb").arg(i + 1).arg(library));
    }
    const auto store = platform::openSettings("Leafreader");
    platform::ScriptedPrompt prompt;
    LeafreaderStartup startup(LaunchOptions{}, *store, prompt);
    ASSERT_EQ(startup.start(false), LeafreaderStartup::StartResult::Running);
    CLeafreaderView &view = startup.frame().view();
    ShelfView &shelf = startup.shelf();
    shelf.onCommand(CmdSwitchScreen);
    ASSERT_FALSE(shelf.model().onResumeScreen());
    ASSERT_EQ(shelf.model().selectedRow()->title, "first");
    QTest::keyClick(shelf.list(), Qt::Key_Return);
    ASSERT_TRUE(view.bookMode());
    QTest::keyClick(&view, Qt::Key_End);

    startup.openPath(library + "/second.kvb");
    EXPECT_EQ(prompt.texts(), QStringList({"登録最大数を超えるため、登録できません。"}));
    ASSERT_TRUE(view.bookMode());
    EXPECT_EQ(startup.frame().windowTitle(), "first.kvb - Leafreader");
    EXPECT_EQ(view.session().position(), 8);
    EXPECT_EQ(shelf.model().resume().size(), 100);
}

TEST(LeafreaderProgram, ScreenshotAndSecondStart)
{
    if (!QFileInfo::exists(programPath()))
        GTEST_SKIP() << "program not built";
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", dir.path() + "/config");
    env.insert("TMPDIR", dir.path()); // a lock of its own, beside any real copy
    env.insert("QT_QPA_PLATFORM", "offscreen");

    // Without a book the first screen is written.
    QProcess shot;
    shot.setProcessEnvironment(env);
    shot.start(programPath(), {"--screenshot", dir.path() + "/first.png"});
    ASSERT_TRUE(shot.waitForFinished(30000));
    EXPECT_EQ(shot.exitCode(), 0);
    EXPECT_FALSE(QImage(dir.path() + "/first.png").isNull());

    // A running copy makes a second start end at once; the book it was given
    // opens in the first copy (whose current folder, stored at once, follows).
    const QString books = dir.path() + "/handed";
    QDir().mkpath(books);
    ASSERT_TRUE(shelftest::writeBook(books + "/given.kvb", TestBook{}));
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(programPath(), QStringList());
    ASSERT_TRUE(first.waitForStarted(10000));
    QThread::msleep(1500);
    ASSERT_EQ(first.state(), QProcess::Running);
    QProcess second;
    second.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    second.start(programPath(), {books + "/given.kvb"});
    EXPECT_TRUE(second.waitForFinished(15000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    const QString ini = dir.path() + "/config/Velloran/Leafreader.ini";
    bool followed = false;
    for (int i = 0; i < 100 && !followed; ++i) {
        QThread::msleep(50);
        QSettings store(ini, QSettings::IniFormat);
        followed = store.value("Settings/CurrentFolder").toString() == books;
    }
    EXPECT_TRUE(followed);
    first.terminate();
    if (!first.waitForFinished(10000)) {
        first.kill();
        first.waitForFinished(5000);
    }
}

TEST(LeafreaderProgram, FullScreenAndPlacementLastFromExitToStart)
{
    // The shared test main ignores stored placements; this test wants them.
    const QByteArray ignore = qgetenv("VELLORAN_IGNORE_WINPOS");
    qunsetenv("VELLORAN_IGNORE_WINPOS");
    const auto restore = qScopeGuard([&ignore] {
        if (!ignore.isNull())
            qputenv("VELLORAN_IGNORE_WINPOS", ignore);
    });
    const QString placement = "0:1:-1:-1:-1:-1:120:90:920:690";
    {
        auto store = platform::openSettings("Leafreader");
        store->remove("");
        store->setValue("FullScreen", 1);
        store->setValue("WindowPos", placement);
    }
    {
        const auto store = platform::openSettings("Leafreader");
        platform::ScriptedPrompt prompt;
        LeafreaderStartup startup(LaunchOptions{}, *store, prompt);
        ASSERT_EQ(startup.start(false), LeafreaderStartup::StartResult::Running);
        EXPECT_TRUE(startup.frame().fullScreenOn());
        EXPECT_TRUE(startup.shelf().fullScreen()); // full-screen scale and the close icon
        EXPECT_TRUE(startup.shelf().headerLayout().iconShown(IconCloseProgram));
        // Closing in full screen keeps both: the next start is full screen
        // again and leaving it returns to the stored window.
        startup.frame().close();
    }
    auto store = platform::openSettings("Leafreader");
    EXPECT_EQ(store->value("FullScreen").toInt(), 1);
    EXPECT_EQ(store->value("WindowPos").toString(), placement);

    platform::ScriptedPrompt prompt;
    LeafreaderStartup startup(LaunchOptions{}, *store, prompt);
    ASSERT_EQ(startup.start(false), LeafreaderStartup::StartResult::Running);
    ASSERT_TRUE(startup.frame().fullScreenOn());
    startup.frame().placement().toggleFullScreen();
    EXPECT_FALSE(startup.shelf().fullScreen());
    EXPECT_EQ(startup.frame().geometry(), QRect(120, 90, 800, 600));
    startup.frame().close();
    EXPECT_EQ(platform::openSettings("Leafreader")->value("FullScreen").toInt(), 0);
}

TEST(LeafreaderProgram, HelpAndVersionAnswerWithoutAWindowOrTheRunningCopy)
{
    LaunchOptions options;
    EXPECT_EQ(LaunchOptions::read({{"leafreader", "--help"}, {}}, options), 0);
    EXPECT_EQ(LaunchOptions::read({{"leafreader", "-v"}, {}}, options), 0);
    EXPECT_EQ(LaunchOptions::read({{"leafreader", "--bogus", "a.kvb"}, {}}, options), 2);
    // After "--" a name that looks like an option is the book.
    ASSERT_FALSE(LaunchOptions::read({{"leafreader", "--screenshot", "s.png", "--", "--title.kvb"}, {}}, options));
    EXPECT_EQ(options.screenshot, QStringLiteral("s.png"));
    EXPECT_EQ(options.bookPath, QDir::current().absoluteFilePath(QStringLiteral("--title.kvb")));

    if (!QFileInfo::exists(programPath()))
        GTEST_SKIP() << "program not built";
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", dir.path() + "/config");
    env.insert("TMPDIR", dir.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess help;
    help.setProcessEnvironment(env);
    help.start(programPath(), {"--help"});
    const bool ended = help.waitForFinished(20000);
    if (!ended)
        help.kill();
    ASSERT_TRUE(ended) << "--help started the window";
    help.waitForFinished(5000);
    EXPECT_EQ(help.exitCode(), 0);
    EXPECT_TRUE(help.readAllStandardOutput().startsWith("usage: leafreader"));
}

TEST(LeafreaderProgram, ABookNamedInBytesThatAreNotUtf8OpensUnderItsOwnName)
{
    QTemporaryDir dir;
    const auto cleanup = qScopeGuard([&dir] { testsupport::removeRawNamedEntries(dir.path()); });
    ASSERT_TRUE(shelftest::writeBook(dir.filePath(platform::nameFromBytes("vol\xff.kvb")), shelftest::TestBook{}));
    const QByteArray path = platform::nameBytes(dir.path()) + "/vol\xff.kvb";
    const char *argv[] = {"leafreader", path.constData()};
    LaunchOptions options;
    ASSERT_FALSE(LaunchOptions::read(platform::programArguments(2, argv), options));
    EXPECT_EQ(platform::nameBytes(options.bookPath), path);

    const auto store = platform::openSettings("Leafreader");
    store->remove("");
    platform::ScriptedPrompt prompt;
    LeafreaderStartup startup(options, *store, prompt);
    ASSERT_EQ(startup.start(false), LeafreaderStartup::StartResult::Running);
    EXPECT_TRUE(startup.frame().view().bookMode());
    EXPECT_TRUE(prompt.texts().isEmpty()) << prompt.texts().join(u'\n').toStdString();
    EXPECT_EQ(startup.frame().windowTitle(), QStringLiteral("vol\\xff.kvb - Leafreader"));
    startup.frame().close();
}
