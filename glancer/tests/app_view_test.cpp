// The view offscreen: a folder listed, an image previewed, pages turned,
// the file-name popup, closing back to the list; start-up with a path; the
// settings dialog and its effect on the list.
#include "glancerapp.h"
#include "settingdlg.h"

#include "core/folderlisting.h"
#include "core/glancercommands.h"

#include "platform/commandline.h"
#include "platform/filenames.h"
#include "tests/testsupport.h"

#include <QScopeGuard>


#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace glancer;

namespace {

class ViewTest : public testing::Test {
protected:
    ViewTest() : m_store(m_config.filePath("Glancer.ini"), QSettings::IniFormat)
    {
        QDir(m_dir.path()).mkdir(QStringLiteral("sub"));
        for (int i = 1; i <= 5; ++i)
            testsupport::writeFile(m_dir.filePath(QStringLiteral("p%1.jpg").arg(i)),
                                   testsupport::encode(testsupport::cornerPicture(300 + i, 400), "JPG", 80));
        testsupport::writeFile(m_dir.filePath("x.png"), testsupport::encode(testsupport::cornerPicture(40, 40), "PNG"));
    }
    std::unique_ptr<CGlancerApp> start(const QString &path)
    {
        LaunchOptions options;
        options.path = path;
        auto app = std::make_unique<CGlancerApp>(options, m_store, m_prompt);
        EXPECT_EQ(app->start(false), CGlancerApp::StartResult::Running);
        app->frame().resize(900, 600);
        QApplication::processEvents();
        return app;
    }

    QTemporaryDir m_dir, m_config;
    QSettings m_store;
    platform::ScriptedPrompt m_prompt;
};

} // namespace

TEST_F(ViewTest, ListPreviewMoveAndClose)
{
    const auto app = start(m_dir.path());
    CGlancerView &view = app->frame().view();
    EXPECT_EQ(app->frame().windowTitle(), "Glancer");
    ASSERT_FALSE(view.previewMode());
    EXPECT_EQ(view.folderList().currentFolder(), m_dir.path());
    ASSERT_EQ(view.listCtrl()->rowModel()->rowCount(), 7); // sub, p1..p5, x.png
    EXPECT_EQ(view.listCtrl()->rowModel()->index(1, 1).data().toString(),
              sizeText(QFileInfo(m_dir.filePath("p1.jpg")).size()));

    // Down to p2 with the list's own key, Enter opens it.
    view.listCtrl()->setFocus();
    QTest::keyClick(view.listCtrl(), Qt::Key_Down);
    QTest::keyClick(view.listCtrl(), Qt::Key_Down);
    QTest::keyClick(view.listCtrl(), Qt::Key_Return);
    ASSERT_TRUE(view.previewMode());
    EXPECT_FALSE(view.listCtrl()->isVisible());
    EXPECT_EQ(view.documentTitle(), "p2.jpg");
    EXPECT_EQ(app->frame().windowTitle(), "Glancer");
    EXPECT_EQ(view.session().pageCount(), 6); // p1..p5 and x.png
    EXPECT_EQ(view.session().position(), 2);
    EXPECT_EQ(view.previewer().layout(), 2);

    // The pages are painted: the view is not all grey.
    const QImage shot = view.grab().toImage();
    EXPECT_NE(shot.pixel(shot.width() / 2 - 20, shot.height() / 2), qRgb(96, 96, 96));

    QTest::keyClick(&view, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(view.session().position(), 5);
    QTest::keyClick(&view, Qt::Key_Backspace);
    EXPECT_TRUE(view.fileNamePopup().isVisible());
    EXPECT_EQ(view.fileNamePopup().field(CFileNameDlg::FieldLeft)->text(), "p5.jpg");
    EXPECT_EQ(view.fileNamePopup().field(CFileNameDlg::FieldRight)->text(), "p4.jpg");
    QTest::keyClick(&view, Qt::Key_Tab); // layout 3
    EXPECT_EQ(view.previewer().layout(), 3);
    EXPECT_EQ(view.fileNamePopup().field(CFileNameDlg::FieldLeft)->text(), "x.png");

    // The preview menu's states.
    std::unique_ptr<QMenu> menu(view.createMenu());
    bool layoutChecked = false;
    for (QAction *action : menu->findChildren<QAction *>()) {
        if (action->data().toInt() == CmdLayout3)
            layoutChecked = action->isChecked();
    }
    EXPECT_TRUE(layoutChecked);

    // Zoom from the main keyboard's digits; the pad closes the preview.
    QTest::keyClick(&view, Qt::Key_7);
    EXPECT_EQ(view.session().zoom(), 1);
    view.controlPad().buttonClicked(9);
    ASSERT_FALSE(view.previewMode());
    EXPECT_FALSE(view.fileNamePopup().isVisible());
    EXPECT_TRUE(view.listCtrl()->isVisible());
    EXPECT_TRUE(view.documentTitle().isEmpty());
    EXPECT_EQ(rowName(*view.folderList().selectedRow()), "p2.jpg");
    EXPECT_EQ(view.currentRow().position, 2);

    // Up one folder from the list: the parent, this folder selected.
    QTest::keyClick(view.listCtrl(), Qt::Key_Backspace, Qt::ShiftModifier);
    EXPECT_EQ(rowName(*view.folderList().selectedRow()), QFileInfo(m_dir.path()).fileName());
    EXPECT_TRUE(m_prompt.texts().isEmpty());
}

TEST_F(ViewTest, StartingWithAnImageOpensItUnlessItsTypeIsOff)
{
    auto app = start(m_dir.filePath("p4.jpg"));
    ASSERT_TRUE(app->frame().view().previewMode());
    EXPECT_EQ(app->frame().view().session().position(), 4);
    app.reset();
    // The folder was written as CurrentFolder when the view went.
    EXPECT_EQ(m_store.value("CurrentFolder").toString(), m_dir.path());

    m_store.setValue("PicExt", 2);
    app = start(m_dir.filePath("x.png"));
    CGlancerView &view = app->frame().view();
    EXPECT_FALSE(view.previewMode());
    EXPECT_EQ(view.folderList().currentFolder(), m_dir.path());
    EXPECT_EQ(view.folderList().selected(), 0);
    EXPECT_EQ(view.listCtrl()->rowModel()->rowCount(), 6);

    // A page that cannot be read at opening: message, beep, the list stays.
    testsupport::writeFile(m_dir.filePath("p1.jpg"), "broken");
    view.folderList().select(1);
    view.onCommand(CmdOpenRow);
    EXPECT_FALSE(view.previewMode());
    EXPECT_EQ(m_prompt.texts(), QStringList{"ファイルを開けません。"});
    EXPECT_EQ(m_prompt.beeps(), 1);
}

TEST_F(ViewTest, StartingWithAPathOpensThatVeryFile)
{
    // あ.jpg in CP932, named on the command line.
    const auto cleanup = qScopeGuard([this] { testsupport::removeRawNamedEntries(m_dir.path()); });
    const QString cp932 = m_dir.path() + u'/' + platform::nameFromBytes("\x82\xa0.jpg");
    ASSERT_TRUE(testsupport::writeFile(cp932, testsupport::encode(testsupport::cornerPicture(200, 300), "JPG", 80)));
    const QByteArray raw = platform::nameBytes(cp932);
    const char *argv[] = {"glancer", raw.constData()};
    LaunchOptions options;
    QString error;
    ASSERT_TRUE(LaunchOptions::parse(platform::programArguments(2, argv).usable, options, error));
    EXPECT_EQ(options.path, cp932);
    auto app = start(options.path);
    ASSERT_TRUE(app->frame().view().previewMode());
    EXPECT_EQ(app->frame().view().documentTitle(), QStringLiteral("あ.jpg"));
    EXPECT_EQ(app->frame().view().session().position(), 7); // after p1..p5 and x.png
    app.reset();

    // P2.jpg beside p2.jpg: the name as given, not the first of any case.
    ASSERT_TRUE(testsupport::writeFile(m_dir.filePath("P2.jpg"), testsupport::readFile(m_dir.filePath("p1.jpg"))));
    app = start(m_dir.filePath("p2.jpg"));
    ASSERT_TRUE(app->frame().view().previewMode());
    EXPECT_EQ(app->frame().view().documentTitle(), "p2.jpg");
    EXPECT_EQ(app->frame().view().session().position(), 3); // p1, P2, p2
    EXPECT_TRUE(m_prompt.texts().isEmpty());
}

TEST_F(ViewTest, SettingsDialogChecksRangesAndTheListFollows)
{
    GlancerSettings settings;
    settings.skipForward = 600;
    {
        CSettingDlg dialog(settings, m_prompt);
        EXPECT_EQ(dialog.field(CSettingDlg::SkipForward)->value(), 600);
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Rejected); // still open
        EXPECT_EQ(m_prompt.texts(), QStringList{"1 から 100 までの整数を入力してください。"});
        // A number typed below the range stays as typed, and OK refuses it.
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QSpinBox *space = dialog.field(CSettingDlg::Space);
        space->setFocus();
        space->selectAll();
        QTest::keyClicks(space, QStringLiteral("31"));
        dialog.field(CSettingDlg::SkipForward)->setValue(100);
        m_prompt.clear();
        QTest::keyClick(space, Qt::Key_Return);
        EXPECT_EQ(m_prompt.texts(), QStringList{"0 から 30 までの整数を入力してください。"});
        EXPECT_EQ(space->value(), 31);
        space->setValue(30);
        dialog.check(CSettingDlg::Bmp)->setChecked(false);
        dialog.check(CSettingDlg::Jpeg)->setChecked(false);
        dialog.check(CSettingDlg::Png)->setChecked(false);
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.values().skipForward, 100);
        EXPECT_EQ(dialog.values().picExt, 0);
    }
    // Cancel gives the pad its old size back.
    {
        CSettingDlg dialog(settings, m_prompt);
        std::vector<int> sizes;
        dialog.onPadSizePreview = [&](int size) { sizes.push_back(size); };
        dialog.padSlider()->setValue(90);
        dialog.reject();
        EXPECT_EQ(sizes, (std::vector<int>{90, 40}));
    }

    const auto app = start(m_dir.path());
    CGlancerView &view = app->frame().view();
    view.editSettings = [](GlancerSettings &values) {
        values.picExt = 0;
        values.sizeNormal = 0;
        values.padSize = 20;
        return true;
    };
    view.onCommand(CmdSettings);
    EXPECT_EQ(m_store.value("PicExt").toInt(), 0);
    EXPECT_EQ(m_store.value("FontSize").toString(), "0:4:20");
    EXPECT_EQ(view.listCtrl()->rowModel()->rowCount(), 1); // the folder alone
    EXPECT_EQ(view.metrics().headerHeight, 37);
    EXPECT_EQ(view.controlPad().size(), QSize(76, 179));
    EXPECT_EQ(view.currentRow().kind, PreviewRow::None);
}
