// The window and its dialogs, offscreen.
#include "app/coloreditdlg.h"
#include "app/colorgraphwidgets.h"
#include "app/drawnbutton.h"
#include "app/loadsettingdlg.h"
#include "app/pagelistbox.h"
#include "app/previewview.h"
#include "app/progressdlg.h"
#include "app/retonerdlg.h"
#include "app/settingcolordlg.h"
#include "app/settingmonodlg.h"
#include "app/settingoutputdlg.h"

#include <platform/prompt.h>

#include "qtprint.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

using namespace retoner;

namespace {

cv::Mat colourPicture(int width, int height)
{
    cv::Mat hsv(height, width, CV_8UC3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            hsv.at<cv::Vec3b>(y, x) = cv::Vec3b(x * 180 / width, 200, 80 + y * 150 / height);
    cv::Mat bgr;
    cv::cvtColor(hsv, bgr, cv::COLOR_HSV2BGR);
    return bgr;
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dialog = std::make_unique<CRetonerDlg>(m_prompt);
        m_dialog->setModeChooser([this]() -> std::optional<RegistrationMode> {
            ++m_modeQuestions;
            return m_mode;
        });
        m_dialog->start(nullptr);
        m_dialog->resize(1100, 760);
        m_dialog->show();
    }
    QString picture(const QString &name, int width, int height)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(cv::imwrite(QFile::encodeName(path).toStdString(), colourPicture(width, height)));
        return path;
    }
    bool enabled(int id) const { return m_dialog->control(id)->isEnabled(); }
    void select(std::initializer_list<int> rows)
    {
        m_dialog->list()->clearSelection();
        for (int row : rows)
            m_dialog->list()->item(row)->setSelected(true);
    }

    QTemporaryDir m_dir;
    platform::ScriptedPrompt m_prompt;
    std::unique_ptr<CRetonerDlg> m_dialog;
    std::optional<RegistrationMode> m_mode = RegistrationMode::AutoSaturatedIsColor;
    int m_modeQuestions = 0;
};

} // namespace

TEST_F(WindowTest, ASessionRegistersChangesOneToMonoConvertsAndFindsTheOutputs)
{
    const QString a = picture(QStringLiteral("a.png"), 240, 160);
    const QString b = picture(QStringLiteral("b.jpg"), 200, 300);
    m_dialog->registerPaths({b, a});
    EXPECT_EQ(m_modeQuestions, 1);
    ASSERT_EQ(m_dialog->list()->count(), 2);
    EXPECT_EQ(m_dialog->findChild<QLabel *>(QStringLiteral("count"))->text(), QStringLiteral("2 "));
    // The preview of the first image arrives off the GUI thread.
    ASSERT_TRUE(m_dialog->waitForPreview());
    EXPECT_EQ(m_dialog->sourceImage().size(), QSize(240, 160));
    EXPECT_EQ(m_dialog->convertedImage().size(), QSize(86, 57)); // 36 percent

    select({1});
    m_dialog->onCommand(CmdMono);
    EXPECT_EQ(m_dialog->session().batch().entry(1).isColor, 0);
    EXPECT_EQ(m_dialog->session().batch().entry(0).isColor, 1);

    ToneSettings settings = m_dialog->session().settings();
    settings.outputFolder = m_dir.filePath(QStringLiteral("out"));
    settings.output.format = FormatPng;
    ASSERT_TRUE(QDir().mkpath(settings.outputFolder));
    m_dialog->session().applySettings(settings);
    m_dialog->onCommand(CmdConvert);
    EXPECT_EQ(m_prompt.texts().last(), QStringLiteral("完了しました。"));
    const cv::Mat mono = cv::imread(QFile::encodeName(settings.outputFolder + "/b.png").toStdString());
    ASSERT_FALSE(mono.empty());
    EXPECT_TRUE(QFile::exists(settings.outputFolder + "/a.png"));
    // The monochrome chain made b grey.
    const cv::Vec3b pixel = mono.at<cv::Vec3b>(mono.rows / 2, mono.cols / 2);
    EXPECT_TRUE(pixel[0] == pixel[1] && pixel[1] == pixel[2]);
    EXPECT_TRUE(enabled(CmdConvert));
    EXPECT_TRUE(enabled(CmdClose));
}

TEST_F(WindowTest, EnablingFollowsTheListAndTheSelection)
{
    for (int id : {CmdColor, CmdMono, CmdDelete, CmdSelectAll, CmdShow, CmdConvert})
        EXPECT_FALSE(enabled(id)) << id;
    for (int id : {CmdRegister, CmdColorSettings, CmdMonoSettings, CmdOutputSettings, CmdOpenSettings, CmdClose})
        EXPECT_TRUE(enabled(id)) << id;

    m_dialog->registerPaths({picture(QStringLiteral("a.png"), 40, 30), picture(QStringLiteral("b.png"), 40, 30),
                             picture(QStringLiteral("c.png"), 40, 30)});
    EXPECT_TRUE(enabled(CmdSelectAll));
    EXPECT_TRUE(enabled(CmdConvert));
    EXPECT_FALSE(enabled(CmdShow));
    select({1});
    EXPECT_TRUE(enabled(CmdShow) && enabled(CmdColor) && enabled(CmdDelete));
    m_dialog->onCommand(CmdSelectAll);
    EXPECT_EQ(m_dialog->list()->selectedItems().size(), 3);
    EXPECT_FALSE(enabled(CmdShow));
    EXPECT_TRUE(enabled(CmdMono));

    // Delete in the list removes the selection; the current image follows.
    select({0, 2});
    QTest::keyClick(m_dialog->list(), Qt::Key_Delete);
    ASSERT_EQ(m_dialog->session().batch().count(), 1);
    EXPECT_EQ(m_dialog->session().batch().entry(0).outputName, QStringLiteral("b"));
    EXPECT_EQ(m_dialog->session().batch().currentImage(), 1);
    EXPECT_FALSE(enabled(CmdDelete));
    QTest::keyClick(m_dialog->list(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(m_dialog->list()->selectedItems().size(), 1);
    m_dialog->onCommand(CmdDelete);
    EXPECT_FALSE(enabled(CmdConvert));
    EXPECT_TRUE(m_dialog->sourceImage().isNull());

    // A command that cannot act now only beeps.
    const int beeps = m_prompt.beeps();
    m_dialog->onCommand(CmdConvert);
    EXPECT_EQ(m_prompt.beeps(), beeps + 1);
}

// Registration pumps events between files; a command arriving then must
// not start a second run, and the window must not offer one.
TEST_F(WindowTest, NothingElseStartsWhileRegistering)
{
    QStringList paths;
    for (int i = 0; i < 3; ++i)
        paths << picture(QStringLiteral("p%1.png").arg(i), 60, 40);
    bool sawDisabled = false;
    QTimer::singleShot(0, m_dialog.get(), [&] {
        sawDisabled = !enabled(CmdRegister) && !enabled(CmdConvert) && !enabled(CmdClose)
                      && !enabled(CmdColorSettings) && m_dialog->isRunning();
        m_dialog->onCommand(CmdConvert);
        m_dialog->registerPaths({paths[0]});
        m_dialog->close();
    });
    m_dialog->registerPaths(paths);
    EXPECT_TRUE(sawDisabled);
    EXPECT_EQ(m_dialog->session().batch().count(), 3);
    EXPECT_EQ(m_modeQuestions, 1);
    EXPECT_GE(m_prompt.beeps(), 3);
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_TRUE(enabled(CmdRegister));
}

TEST_F(WindowTest, DroppedFilesAndAFolderGoThroughTheRegistrationDialog)
{
    const QString a = picture(QStringLiteral("a.png"), 40, 30);
    const QString folder = m_dir.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkdir(folder));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(folder), QUrl::fromLocalFile(a)});
    CPageListBox *list = m_dialog->list();
    const QPoint at = list->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &drop);
    EXPECT_EQ(m_modeQuestions, 1);
    ASSERT_EQ(m_dialog->session().batch().count(), 1); // the folder is not searched
    EXPECT_EQ(m_dialog->session().batch().entry(0).path, a);

    // A cancelled registration dialog registers nothing.
    m_mode.reset();
    QApplication::sendEvent(list->viewport(), &drop);
    EXPECT_EQ(m_dialog->session().batch().count(), 1);
}

TEST_F(WindowTest, PreviewFitsCentresAndScrollsOneToOne)
{
    m_dialog->registerPaths({picture(QStringLiteral("big.png"), 3000, 200), picture(QStringLiteral("small.png"), 50, 40)});
    ToneSettings settings = m_dialog->session().settings();
    settings.output.resizeMode = KeepSize;
    m_dialog->session().applySettings(settings);
    m_dialog->onCommand(CmdShowSource);
    select({0});
    m_dialog->onCommand(CmdShow);
    ASSERT_TRUE(m_dialog->waitForPreview());
    EXPECT_EQ(m_dialog->scroll().rangeX(), 0); // fit: no ranges
    m_dialog->onCommand(CmdDotByDot);
    const QSize view = m_dialog->view()->size();
    EXPECT_EQ(m_dialog->scroll().rangeX(), 3000 - view.width());
    EXPECT_EQ(m_dialog->scroll().x(), (3000 - view.width()) / 2); // starts at the centre
    QScrollBar *bar = m_dialog->horizontalBar();
    EXPECT_EQ(bar->maximum(), 3000 - view.width());
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(m_dialog->scroll().x(), 3000 - view.width());
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(m_dialog->scroll().x(), 3000 - view.width() - 15);
    // Dragging to the right moves the picture right: the position falls.
    QTest::mousePress(m_dialog->view(), Qt::LeftButton, {}, QPoint(100, 20));
    QTest::mouseMove(m_dialog->view(), QPoint(130, 20));
    QTest::mouseRelease(m_dialog->view(), Qt::LeftButton, {}, QPoint(130, 20));
    EXPECT_EQ(m_dialog->scroll().x(), 3000 - view.width() - 45);
    EXPECT_EQ(bar->value(), m_dialog->scroll().x());

    // A smaller picture is centred with both ranges 0; the view shows the ground around it.
    select({1});
    m_dialog->onCommand(CmdShow);
    ASSERT_TRUE(m_dialog->waitForPreview());
    EXPECT_EQ(m_dialog->scroll().rangeX(), 0);
    EXPECT_EQ(m_dialog->scroll().rangeY(), 0);
    const QImage shot = m_dialog->view()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(64, 64, 64));
    EXPECT_NE(shot.pixelColor(shot.width() / 2, shot.height() / 2), QColor(64, 64, 64));
}

TEST_F(WindowTest, EmptyViewIsUniformGroundAndAboutNamesOpenCV)
{
    const QImage shot = m_dialog->view()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(64, 64, 64));
    EXPECT_EQ(shot.pixelColor(shot.width() - 1, shot.height() - 1), QColor(64, 64, 64));
    ASSERT_FALSE(m_dialog->actions().isEmpty());
    EXPECT_EQ(m_dialog->actions().first()->text(), QStringLiteral("Retonerについて(&A)..."));
    m_dialog->actions().first()->trigger();
    EXPECT_TRUE(m_prompt.texts().last().contains(QStringLiteral("Powered by OpenCV 4.")));
}

TEST_F(WindowTest, SettingsDialogOkClearsTheComboSelection)
{
    const QString tnp = m_dir.filePath(QStringLiteral("mine.tnp"));
    m_prompt.planPath(tnp);
    m_dialog->onCommand(CmdSaveSettings);
    ASSERT_EQ(m_dialog->settingsCombo()->count(), 1);
    EXPECT_EQ(m_dialog->settingsCombo()->currentIndex(), 0);

    // Cancel keeps everything; OK writes the copy back and clears the selection.
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    m_dialog->onCommand(CmdMonoSettings);
    EXPECT_EQ(m_dialog->settingsCombo()->currentIndex(), 0);
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<CSettingMonoDlg *>(QApplication::activeModalWidget());
        dialog->blackSlider()->setValue(50);
        dialog->accept();
    });
    m_dialog->onCommand(CmdMonoSettings);
    EXPECT_EQ(m_dialog->session().settings().mono.blackLevel, 50);
    EXPECT_EQ(m_dialog->settingsCombo()->currentIndex(), -1);
}

TEST(SettingsDialogs, MonoEditsACopyAndChecksTheKernelSelections)
{
    platform::ScriptedPrompt prompt;
    ToneSettings settings;
    CSettingMonoDlg dialog(settings, prompt);
    dialog.whiteSlider()->setValue(200);
    dialog.curveSlider()->setValue(-100);
    dialog.sharpenCombo()->setCurrentIndex(0);
    EXPECT_FALSE(dialog.strength().slider->isEnabled()); // no sharpen: no strength
    dialog.sharpenCombo()->setCurrentIndex(4);
    EXPECT_TRUE(dialog.strength().slider->isEnabled());

    dialog.blurCombo()->setCurrentIndex(-1);
    dialog.accept();
    EXPECT_EQ(prompt.texts(), QStringList(QStringLiteral("ガウスぼかしを選択してください。")));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    dialog.blurCombo()->setCurrentIndex(1);
    dialog.sharpenCombo()->setCurrentIndex(-1);
    dialog.accept();
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("シャープ化を選択してください。"));
    dialog.sharpenCombo()->setCurrentIndex(2);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.settings().mono.whiteLevel, 200);
    EXPECT_EQ(dialog.settings().mono.curve, -100);
    EXPECT_EQ(dialog.settings().mono.blurIndex, 1);
    EXPECT_EQ(dialog.settings().mono.sharpenIndex, 2);
    EXPECT_EQ(settings.mono, MonoParams()); // the original is untouched
}

TEST(SettingsDialogs, OutputEnablingFolderBrowserAndValues)
{
    platform::ScriptedPrompt prompt;
    ToneSettings settings;
    CSettingOutputDlg dialog(settings, prompt);
    EXPECT_TRUE(dialog.ratio().slider->isEnabled());
    EXPECT_FALSE(dialog.widthBox()->isEnabled());
    EXPECT_TRUE(dialog.quality().slider->isEnabled()); // JPEG by default
    dialog.resizeModes()->button(FixedSize)->click();
    EXPECT_TRUE(dialog.widthBox()->isEnabled());
    EXPECT_FALSE(dialog.uniformBox()->isEnabled());
    dialog.formats()->button(FormatPng)->click();
    EXPECT_FALSE(dialog.quality().slider->isEnabled());
    dialog.widthBox()->setValue(10000);
    dialog.widthBox()->stepUp(); // limited to 10..10000
    EXPECT_EQ(dialog.widthBox()->value(), 10000);
    EXPECT_EQ(dialog.folderField()->maxLength(), 260);

    prompt.planPath(QStringLiteral("/tmp/somewhere/"));
    dialog.browseButton()->click();
    ASSERT_EQ(prompt.dialogs().size(), 1u);
    EXPECT_EQ(prompt.dialogs()[0].caption, QStringLiteral("Save Folder"));
    EXPECT_EQ(dialog.folderField()->text(), QStringLiteral("/tmp/somewhere"));
    dialog.accept();
    EXPECT_EQ(dialog.settings().output.resizeMode, FixedSize);
    EXPECT_EQ(dialog.settings().output.width, 10000);
    EXPECT_EQ(dialog.settings().output.format, FormatPng);
    EXPECT_EQ(dialog.settings().outputFolder, QStringLiteral("/tmp/somewhere"));
}

TEST(SettingsDialogs, OutputSizeOutOfRangeIsRefusedAndTheDialogStaysOpen)
{
    platform::ScriptedPrompt prompt;
    ToneSettings settings;
    settings.output.resizeMode = FixedSize;
    settings.output.width = 800;
    CSettingOutputDlg dialog(settings, prompt);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QPushButton *ok = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
    // Typed 5, then Return in the field; typed 5, then a click on OK.
    for (const bool byReturn : {true, false}) {
        prompt.clear();
        QSpinBox *width = dialog.widthBox();
        width->setFocus();
        width->selectAll();
        QTest::keyClicks(width, QStringLiteral("5"));
        if (byReturn)
            QTest::keyClick(width, Qt::Key_Return);
        else
            QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("10 から 10000 までの整数を入力してください。")}) << byReturn;
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(width->cleanText(), QStringLiteral("5"));
        EXPECT_TRUE(width->hasFocus());
    }
    // The buttons step within the range; a size in range closes the dialog.
    QSpinBox *width = dialog.widthBox();
    width->stepUp();
    EXPECT_EQ(width->value(), 10);
    width->setValue(10000);
    width->stepUp();
    EXPECT_EQ(width->value(), 10000);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.settings().output.width, 10000);
}

TEST(SettingsDialogs, ColourSelectionEditCarryOverAndReset)
{
    platform::ScriptedPrompt prompt;
    ToneSettings settings;
    CSettingColorDlg dialog(settings, prompt);
    // With the correction off, clicks select nothing and the edit is refused.
    EXPECT_FALSE(dialog.editButton()->isEnabled());
    EXPECT_FALSE(dialog.resetButton()->isEnabled());
    dialog.selectPoint(3, 2, 4);
    EXPECT_EQ(dialog.selection(), PointSelection{});

    dialog.correctionBox()->setChecked(true);
    EXPECT_TRUE(dialog.editButton()->isEnabled());
    EXPECT_FALSE(dialog.resetButton()->isEnabled()); // nothing shifted yet
    // A click on the disc sends the select-point message.
    dialog.show();
    const QRect inner = dialog.hsGraph()->innerRect();
    const ControlPoint target = ColorCorrectionTable()[ColorCorrectionTable::colouredIndex(3, 2, 4)];
    QTest::mouseClick(dialog.hsGraph(), Qt::LeftButton, {}, hsPosition(inner, target.hue, target.saturation));
    EXPECT_EQ(dialog.selection(), (PointSelection{3, 2, 4}));

    dialog.setPointEditor([](const ControlPoint &point, bool neutral) -> std::optional<ControlPoint> {
        EXPECT_FALSE(neutral);
        ControlPoint edited = point;
        edited.valueShift = 0.3f;
        edited.hueShift = 0.1f;
        return edited;
    });
    dialog.editSelectedPoint();
    const ColorCorrectionTable &table = dialog.settings().correction;
    EXPECT_FLOAT_EQ(table[ColorCorrectionTable::colouredIndex(1, 2, 4)].valueShift, 0.1f);
    EXPECT_FLOAT_EQ(table[ColorCorrectionTable::colouredIndex(4, 2, 4)].valueShift, 0.4f);
    EXPECT_TRUE(dialog.resetButton()->isEnabled());

    // Reset asks first; Cancel keeps the shifts.
    prompt.planAnswer(platform::PromptAnswer::Cancel);
    dialog.resetAll();
    EXPECT_TRUE(hasAnyShift(dialog.settings().correction));
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("全ての調整をリセットします。\nよろしいですか？"));
    dialog.resetAll();
    EXPECT_FALSE(hasAnyShift(dialog.settings().correction));
    dialog.accept();
    EXPECT_EQ(dialog.settings().color.correctionEnabled, 1);
    EXPECT_EQ(settings.color.correctionEnabled, 0);
}

TEST(SettingsDialogs, ColourEditorSlidersAndTheirFormats)
{
    ControlPoint grey = ColorCorrectionTable()[ColorCorrectionTable::greyIndex(3)];
    grey.hueShift = 3.1415927f;
    CColorEditDlg neutral(grey, true);
    EXPECT_EQ(neutral.hueSlider()->minimum(), 0);
    EXPECT_EQ(neutral.hueSlider()->maximum(), 719);
    EXPECT_EQ(neutral.hueSlider()->value(), 360);
    EXPECT_EQ(neutral.hueValue()->text(), QStringLiteral("180.0"));

    CColorEditDlg coloured(ColorCorrectionTable()[ColorCorrectionTable::colouredIndex(3, 1, 1)], false);
    EXPECT_EQ(coloured.hueSlider()->minimum(), -120);
    coloured.hueSlider()->setValue(-31);
    EXPECT_EQ(coloured.hueValue()->text(), QStringLiteral("-15.5"));
    coloured.saturationSlider()->setValue(25);
    EXPECT_FLOAT_EQ(coloured.point().saturationShift, 0.25f);
    EXPECT_NEAR(coloured.point().hueShift, -31 * 2 * M_PI / 720, 1e-6);
}

TEST(DrawnButtons, PartsForDisabledPressedHoverAndNormal)
{
    CDrawnButton button(CDrawnButton::Face::Color, QStringLiteral("Color"), QStringLiteral("カラーに設定"));
    EXPECT_EQ(button.toolTip(), QStringLiteral("カラーに設定"));
    EXPECT_EQ(button.currentPart(), CDrawnButton::PartNormal);
    button.setDown(true);
    EXPECT_EQ(button.currentPart(), CDrawnButton::PartPressed);
    button.setDown(false);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&button, &enter);
    EXPECT_EQ(button.currentPart(), CDrawnButton::PartHover);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    EXPECT_EQ(button.currentPart(), CDrawnButton::PartNormal);
    button.setEnabled(false);
    EXPECT_EQ(button.currentPart(), CDrawnButton::PartDisabled);
    const QImage strip = CDrawnButton::makeStrip(CDrawnButton::Face::Mono, QStringLiteral("Mono"), QSize(50, 20));
    EXPECT_EQ(strip.size(), QSize(200, 20));
}

TEST(RegistrationDialog, OpensWithTheFirstModeEveryTime)
{
    CLoadSettingDlg first;
    EXPECT_EQ(first.mode(), RegistrationMode::AutoSaturatedIsColor);
    first.setMode(RegistrationMode::AllMono);
    EXPECT_EQ(first.mode(), RegistrationMode::AllMono);
    CLoadSettingDlg second;
    EXPECT_EQ(second.mode(), RegistrationMode::AutoSaturatedIsColor);
    EXPECT_EQ(second.windowTitle(), QStringLiteral("登録設定"));
}

TEST(WindowClose, ClosingSavesTheLastSettingsAndTheWindowsValues)
{
    QTemporaryDir dir;
    platform::ScriptedPrompt prompt;
    QSettings store(dir.filePath(QStringLiteral("Retoner.ini")), QSettings::IniFormat);
    {
        CRetonerDlg dialog(prompt);
        dialog.start(&store, false);
        dialog.show();
        ToneSettings settings = dialog.session().settings();
        settings.mono.whiteLevel = 201;
        dialog.session().applySettings(settings);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_TRUE(store.contains(QStringLiteral("WinPos")));
    CRetonerDlg next(prompt);
    next.start(&store, false);
    EXPECT_EQ(next.session().settings().mono.whiteLevel, 201);
    EXPECT_TRUE(prompt.texts().isEmpty());
}
