// Glancer in English: a folder of images listed and one previewed, with the
// menus, the settings dialog, messages and the pad's painted labels, shows
// no Japanese. The images have plain names, so nothing is left to filter out.
#include "glancerapp.h"
#include "settingdlg.h"

#include "core/glancercommands.h"
#include "tests/testsupport.h"
#include "englishtexts.h"
#include "visibletexts.h"

#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace glancer;
using testsupport::containsJapanese;


TEST(GlancerEnglish, ListPreviewMenusAndDialogsShowNoJapanese)
{
    const testsupport::EnglishTexts english(u"glancer");
    ASSERT_TRUE(english.loaded);

    QTemporaryDir dir, config;
    QDir(dir.path()).mkdir(QStringLiteral("sub"));
    for (int i = 1; i <= 3; ++i)
        testsupport::writeFile(dir.filePath(QStringLiteral("p%1.jpg").arg(i)),
                               testsupport::encode(testsupport::cornerPicture(300, 400), "JPG", 80));
    QSettings store(config.filePath(QStringLiteral("Glancer.ini")), QSettings::IniFormat);
    platform::ScriptedPrompt prompt;
    LaunchOptions options;
    options.path = dir.path();
    CGlancerApp app(options, store, prompt);
    ASSERT_EQ(app.start(false), CGlancerApp::StartResult::Running);
    CMainFrame &frame = app.frame();
    CGlancerView &view = frame.view();
    frame.resize(900, 600);
    frame.show();
    QApplication::processEvents();

    // The folder list with its menu, and the settings dialog.
    EXPECT_EQ(testsupport::japaneseReport(&frame), "");
    std::unique_ptr<QMenu> menu(view.createMenu());
    EXPECT_EQ(testsupport::japaneseReport(menu.get()), "");
    CSettingDlg settings(app.settings(), prompt);
    EXPECT_EQ(testsupport::japaneseReport(&settings), "");

    // Painted and told by message: the pad, About, a failed opening.
    for (const QString &label : CGlancerView::padLabels())
        EXPECT_FALSE(containsJapanese(label)) << label.toStdString();
    view.onCommand(CmdAbout);
    PreviewRow missing;
    missing.kind = PreviewRow::Image;
    missing.path = dir.filePath(QStringLiteral("gone.jpg"));
    EXPECT_FALSE(view.openImage(missing));
    ASSERT_EQ(prompt.shown().size(), 2u);
    for (const auto &shown : prompt.shown())
        EXPECT_FALSE(containsJapanese(shown.caption + shown.text))
            << (shown.caption + u'/' + shown.text).toStdString();

    // An image previewed and the preview's menu.
    view.listCtrl()->setFocus();
    QTest::keyClick(view.listCtrl(), Qt::Key_Down);
    QTest::keyClick(view.listCtrl(), Qt::Key_Return);
    ASSERT_TRUE(view.previewMode()) << prompt.texts().join(u'\n').toStdString();
    EXPECT_EQ(testsupport::japaneseReport(&frame), "");
    menu.reset(view.createMenu());
    EXPECT_EQ(testsupport::japaneseReport(menu.get()), "");
}
