// The dialog, offscreen: open, move the cursor, change offsets, save.
#include "app/jpegqdlg.h"
#include "app/offsetspin.h"
#include "app/retouchdlg.h"

#include "testimages.h"

#include <ui/mygraph.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <opencv2/imgcodecs.hpp>

using namespace retouch;
using namespace retouchtest;

namespace {

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_page = m_dir.filePath(QStringLiteral("page.png"));
        ASSERT_TRUE(writePicture(m_page, gradient(120, 90)));
        m_dialog.show();
        m_dialog.openFile(m_page);
    }
    QString text(QLabel *label) const { return label->text(); }

    QTemporaryDir m_dir;
    QString m_page;
    platform::ScriptedPrompt m_prompt;
    CRetouchDlg m_dialog{m_prompt};
};

} // namespace

TEST_F(DialogTest, OpenMoveCorrectAndSave)
{
    RetouchEditor &editor = m_dialog.editor();
    EXPECT_EQ(m_dialog.pathField()->text(), m_page);
    EXPECT_EQ(text(m_dialog.positionField()), QStringLiteral(" 60"));
    EXPECT_TRUE(m_dialog.button(CmdSave)->isEnabled());

    QTest::mouseClick(m_dialog.button(CmdRight), Qt::LeftButton);
    QTest::mouseClick(m_dialog.button(CmdRight), Qt::LeftButton);
    EXPECT_EQ(editor.cursor().x(), 62);
    m_dialog.horizontalBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(editor.cursor().x(), 77);
    m_dialog.horizontalBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(editor.cursor().x(), 119);
    EXPECT_EQ(text(m_dialog.positionField()), QStringLiteral(" 119"));
    m_dialog.verticalBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(editor.cursor().y(), 0);

    // Dragging: the picture follows the mouse.
    CMyGraph *view = m_dialog.mainView();
    const QPoint start = view->rect().center();
    QTest::mousePress(view, Qt::LeftButton, {}, start);
    QTest::mouseMove(view, start + QPoint(10, -4));
    QTest::mouseRelease(view, Qt::LeftButton, {}, start + QPoint(10, -4));
    EXPECT_EQ(editor.cursor(), QPoint(109, 4));

    COffsetSpin *all = m_dialog.spin(Channel::All);
    QTest::mouseClick(all->upButton(), Qt::LeftButton);
    QTest::mouseClick(all->upButton(), Qt::LeftButton);
    QTest::keyClick(m_dialog.spin(Channel::B), Qt::Key_PageDown);
    EXPECT_EQ(text(m_dialog.offsetField(Channel::All)), QStringLiteral(" 2"));
    EXPECT_EQ(text(m_dialog.offsetField(Channel::B)), QStringLiteral(" -4"));
    EXPECT_EQ(editor.currentOffsets(), (ColumnOffsets{2, 0, 0, -4}));

    m_dialog.curveCombo()->setCurrentIndex(0);
    EXPECT_EQ(editor.curve(), 0);
    const cv::Vec3b source = editor.image().source().at<cv::Vec3b>(10, 109);
    EXPECT_EQ(editor.image().edited().at<cv::Vec3b>(10, 109),
              cv::Vec3b(source[0] - 2, source[1] + 2, source[2] + 2));

    QPushButton *display = m_dialog.button(CmdDisplaySwitch);
    EXPECT_EQ(display->text(), QStringLiteral(" 編集中"));
    QTest::mouseClick(display, Qt::LeftButton);
    EXPECT_EQ(display->text(), QStringLiteral(" 元画像"));
    EXPECT_TRUE(editor.showsSource());

    // The save writes the edited picture whatever the switch shows.
    QTest::mouseClick(m_dialog.button(CmdSave), Qt::LeftButton);
    EXPECT_TRUE(m_prompt.texts().isEmpty()) << qPrintable(m_prompt.texts().join(u'\n'));
    const cv::Mat saved = readPicture(m_page, cv::IMREAD_COLOR);
    EXPECT_EQ(cv::norm(saved, editor.image().edited(), cv::NORM_INF), 0);
    EXPECT_FALSE(editor.isModified());
}

TEST_F(DialogTest, ClosingWithUnsavedCorrectionsAsksFirst)
{
    m_dialog.editor().setOffset(Channel::R, 3);
    m_prompt.planAnswer(platform::PromptAnswer::No);
    m_dialog.reject();
    EXPECT_TRUE(m_dialog.isVisible());
    EXPECT_EQ(m_prompt.texts(), QStringList{QStringLiteral("Discard unsaved changes?")});
    m_prompt.planAnswer(platform::PromptAnswer::Yes);
    m_dialog.reject();
    EXPECT_FALSE(m_dialog.isVisible());
}

TEST_F(DialogTest, AboutShowsTheVersionThroughThePrompt)
{
    const QList<QAction *> actions = m_dialog.actions();
    auto about = std::find_if(actions.begin(), actions.end(),
                              [](QAction *a) { return a->text().startsWith(QStringLiteral("Retouchについて")); });
    ASSERT_NE(about, actions.end());
    (*about)->trigger();
    ASSERT_EQ(m_prompt.texts().size(), 1);
    EXPECT_TRUE(m_prompt.texts()[0].startsWith(QStringLiteral("Retouch Version ")));
    EXPECT_EQ(m_prompt.shown()[0].caption, QStringLiteral("Retouchについて"));
}

TEST(JpegQualityDialog, ShowsTheQualityOnTheSlider)
{
    CJPEG_Q_Dlg dialog(95);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("JPEG Quality"));
    EXPECT_EQ(dialog.slider()->minimum(), 0);
    EXPECT_EQ(dialog.slider()->maximum(), 100);
    EXPECT_EQ(dialog.slider()->pageStep(), 10);
    EXPECT_EQ(dialog.slider()->tickInterval(), 10);
    dialog.slider()->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(dialog.quality(), 85);
    EXPECT_EQ(dialog.findChild<QLabel *>(QStringLiteral("quality"))->text(), QStringLiteral("85 "));
}
