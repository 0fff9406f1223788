// The list on a real display: the arrow keys move it from the first moment
// and after every change of folder, without a click on it first.
#include "glancerapp.h"

#include "tests/testsupport.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace glancer;

TEST(GlancerFocus, TheListTakesItsKeysAtStartAndAfterEveryFolderChange)
{
    QTemporaryDir dir, config;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("sub/inner")));
    for (const char *name : {"p1.jpg", "p2.jpg", "p3.jpg", "sub/x.jpg", "sub/inner/y.jpg", "sub/inner/z.jpg"})
        ASSERT_TRUE(testsupport::writeFile(dir.filePath(QString::fromLatin1(name)), "x"));
    QSettings store(config.filePath(QStringLiteral("Glancer.ini")), QSettings::IniFormat);
    platform::ScriptedPrompt prompt;
    LaunchOptions options;
    options.path = dir.path();
    CGlancerApp app(options, store, prompt);
    ASSERT_EQ(app.start(false), CGlancerApp::StartResult::Running);
    CGlancerView &view = app.frame().view();
    const QString root = dir.path();
    view.folderList().setDriveSource([root] {
        return std::vector<platform::Drive>{{root, QStringLiteral("A")}, {root + QStringLiteral("/sub/inner"), QStringLiteral("B")}};
    });
    app.frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&app.frame()));
    const auto press = [&app](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(app.frame().windowHandle(), key, modifiers);
        QApplication::processEvents();
    };
    const auto current = [&view] { return view.listCtrl()->current(); };

    // At start: sub, p1, p2, p3.
    ASSERT_EQ(current(), 0);
    press(Qt::Key_Down);
    EXPECT_EQ(current(), 1);
    press(Qt::Key_End);
    EXPECT_EQ(current(), 3);
    press(Qt::Key_Home);
    EXPECT_EQ(current(), 0);

    // Into sub (inner, x.jpg), up again, to the drive list, into a drive.
    press(Qt::Key_Return);
    ASSERT_EQ(view.folderList().currentFolder(), root + QStringLiteral("/sub"));
    press(Qt::Key_Down);
    EXPECT_EQ(current(), 1);
    press(Qt::Key_Backspace, Qt::ShiftModifier);
    ASSERT_EQ(view.folderList().currentFolder(), root);
    press(Qt::Key_Down);
    EXPECT_EQ(current(), 1);
    press(Qt::Key_Escape);
    ASSERT_TRUE(view.folderList().inDriveList());
    press(Qt::Key_Down);
    EXPECT_EQ(current(), 1);
    press(Qt::Key_Return);
    ASSERT_EQ(view.folderList().currentFolder(), root + QStringLiteral("/sub/inner"));
    press(Qt::Key_Down);
    EXPECT_EQ(current(), 1);
    EXPECT_TRUE(prompt.texts().isEmpty());
}
