// What the window shows and allows, decided without a window: preview
// geometry and scrolling, the enabling table, the settings files of the
// session and the preview computed off the calling thread.
#include "core/previewgeometry.h"
#include "core/previewrenderer.h"
#include "core/retonersession.h"
#include "core/settingsfile.h"

#include <platform/prompt.h>

#include "qtprint.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <opencv2/imgcodecs.hpp>

using namespace retoner;

TEST(PreviewGeometry, FitKeepsTheAspectRatioAndCentres)
{
    EXPECT_EQ(fitRect(QSize(3000, 2000), QSize(600, 400)), QRect(0, 0, 600, 400));
    EXPECT_EQ(fitRect(QSize(1000, 2000), QSize(600, 400)), QRect(200, 0, 200, 400));
    EXPECT_EQ(fitRect(QSize(2000, 500), QSize(600, 400)), QRect(0, 125, 600, 150));
    EXPECT_EQ(fitRect(QSize(3, 7), QSize(600, 400)), QRect(214, 0, 171, 400)); // trunc(400 / (7/3))
    EXPECT_TRUE(fitRect(QSize(), QSize(600, 400)).isNull());
}

TEST(PreviewGeometry, OneToOneCentresSmallPicturesAndScrollsLargeOnes)
{
    PreviewScroll scroll;
    // A smaller picture: centred, both ranges 0.
    scroll.update(QSize(300, 100), QSize(600, 400), false);
    EXPECT_EQ(scroll.rangeX(), 0);
    EXPECT_EQ(scroll.rangeY(), 0);
    EXPECT_EQ(oneToOneRect(QSize(300, 100), QSize(600, 400), scroll.x(), scroll.y()), QRect(150, 150, 300, 100));

    // A new larger picture starts at its centre.
    scroll.reset();
    scroll.update(QSize(1000, 2000), QSize(600, 400), false);
    EXPECT_EQ(scroll.rangeX(), 400);
    EXPECT_EQ(scroll.rangeY(), 1600);
    EXPECT_EQ(scroll.x(), 200);
    EXPECT_EQ(scroll.y(), 800);
    EXPECT_EQ(oneToOneRect(QSize(1000, 2000), QSize(600, 400), scroll.x(), scroll.y()).topLeft(), QPoint(-200, -800));

    // The End key goes to the last position of the range, not further.
    EXPECT_EQ(scroll.scroll(Qt::Vertical, ScrollAction::End), 1600);
    EXPECT_EQ(scroll.scroll(Qt::Vertical, ScrollAction::LineForward), 1600);
    EXPECT_EQ(scroll.scroll(Qt::Vertical, ScrollAction::PageBack), 1585);
    EXPECT_EQ(scroll.scroll(Qt::Vertical, ScrollAction::LineBack), 1584);
    EXPECT_EQ(scroll.scroll(Qt::Vertical, ScrollAction::Home), 0);
    EXPECT_EQ(scroll.scroll(Qt::Vertical, ScrollAction::PageBack), 0);
    EXPECT_EQ(scroll.scroll(Qt::Horizontal, ScrollAction::Thumb, 9999), 400);

    // Dragging moves the picture with the mouse, limited to the ranges.
    scroll.drag(100, 100, 90, 130); // mouse right... left by 10, down by 30
    EXPECT_EQ(scroll.x(), 400);
    EXPECT_EQ(scroll.y(), 0);
    scroll.drag(100, 100, 150, 50);
    EXPECT_EQ(scroll.x(), 350);
    EXPECT_EQ(scroll.y(), 50);

    // A larger view shrinks the range and the position follows it.
    scroll.update(QSize(1000, 2000), QSize(900, 1990), false);
    EXPECT_EQ(scroll.x(), 100);
    EXPECT_EQ(scroll.y(), 10);
    // Fit mode forgets the position.
    scroll.update(QSize(1000, 2000), QSize(600, 400), true);
    EXPECT_EQ(scroll.x(), -1);
    EXPECT_EQ(scroll.rangeY(), 0);
}

TEST(MainControls, EnablingAfterListAndSelectionChanges)
{
    MainControlStates empty = mainControlStates(0, 0, false);
    EXPECT_TRUE(empty.registerFiles && empty.settings && empty.close && empty.list && empty.view);
    EXPECT_FALSE(empty.colorMono || empty.remove || empty.selectAll || empty.show || empty.convert);

    const MainControlStates none = mainControlStates(3, 0, false);
    EXPECT_TRUE(none.selectAll && none.convert);
    EXPECT_FALSE(none.colorMono || none.remove || none.show);

    const MainControlStates one = mainControlStates(3, 1, false);
    EXPECT_TRUE(one.colorMono && one.remove && one.show);
    const MainControlStates two = mainControlStates(3, 2, false);
    EXPECT_TRUE(two.colorMono && two.remove);
    EXPECT_FALSE(two.show);

    // While a batch runs nothing can start another, not even closing.
    const MainControlStates busy = mainControlStates(3, 1, true);
    EXPECT_EQ(busy, (MainControlStates{false, false, false, false, false, false, false, false, false, false}));
}

namespace {

class SessionTest : public ::testing::Test {
protected:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
    platform::ScriptedPrompt m_prompt;
};

} // namespace

TEST_F(SessionTest, SettingsFilesTheRecentListAndTheComboSelection)
{
    RetonerSession session(m_prompt);
    ToneSettings a;
    a.mono.curve = 50;
    ASSERT_EQ(writeSettingsFile(a, path(QStringLiteral("alpha.tnp"))), SettingsWriteResult::Written);
    ASSERT_TRUE(testsupport::writeFile(path(QStringLiteral("bad.tnp")), "MonoParam,1,30,234,999,2,2,40\r\n"));

    EXPECT_TRUE(session.openSettings(path(QStringLiteral("alpha.tnp"))));
    EXPECT_EQ(session.settings().mono.curve, 50);
    EXPECT_EQ(session.profile().tnpFolder, m_dir.path());
    EXPECT_EQ(session.recentNames(), QStringList{"alpha"});
    EXPECT_EQ(session.comboText(), QStringLiteral("alpha"));

    // A file that fails to load is not added.
    EXPECT_FALSE(session.openSettings(path(QStringLiteral("bad.tnp"))));
    EXPECT_EQ(session.recentNames(), QStringList{"alpha"});
    EXPECT_EQ(m_prompt.texts().last(), QStringLiteral("設定ファイルの読み出しでエラーが発生しました。（1 回）"));

    // Saving says so and heads the list.
    m_prompt.clear();
    EXPECT_TRUE(session.saveSettings(path(QStringLiteral("beta.tnp"))));
    EXPECT_EQ(m_prompt.texts(), QStringList(QStringLiteral("保存しました。")));
    EXPECT_EQ(session.recentNames(), (QStringList{"beta", "alpha"}));

    // OK in a settings dialog leaves the combo box without a selection.
    ToneSettings changed = session.settings();
    changed.output.ratioPercent = 77;
    session.applySettings(changed);
    EXPECT_EQ(session.recentSelection(), -1);
    EXPECT_EQ(session.comboText(), QString());

    // Choosing alpha in the combo box reads it and moves it to the head.
    EXPECT_TRUE(session.selectRecent(1));
    EXPECT_EQ(session.settings().output.ratioPercent, 36);
    EXPECT_EQ(session.recentNames(), (QStringList{"alpha", "beta"}));
    EXPECT_EQ(session.recentSelection(), 0);
}

TEST_F(SessionTest, StartAndFinishKeepTheValuesBetweenRuns)
{
    const QString ini = path(QStringLiteral("Retoner.ini"));
    ToneSettings a;
    ASSERT_EQ(writeSettingsFile(a, path(QStringLiteral("alpha.tnp"))), SettingsWriteResult::Written);
    {
        QSettings store(ini, QSettings::IniFormat);
        RetonerSession session(m_prompt);
        session.start(store);
        ASSERT_TRUE(session.openSettings(path(QStringLiteral("alpha.tnp"))));
        ToneSettings changed = session.settings();
        changed.color.sharpenStrength = 12;
        changed.outputFolder = m_dir.path();
        session.applySettings(changed);
        session.selectRecent(0);
        changed = session.settings();
        changed.color.sharpenStrength = 12;
        session.applySettings(changed);
        session.rememberImageFolder({path(QStringLiteral("pictures/x.jpg")), QStringLiteral("/elsewhere/y.jpg")});
        QDir().mkpath(path(QStringLiteral("pictures")));
        session.finish(store, QRect(10, 20, 900, 700));
    }
    QSettings store(ini, QSettings::IniFormat);
    RetonerSession next(m_prompt);
    next.start(store);
    EXPECT_EQ(next.settings().color.sharpenStrength, 12); // from "$LastSetting.tnp"
    EXPECT_EQ(next.profile().windowRect, QRect(10, 20, 900, 700));
    EXPECT_EQ(next.profile().imageFolder, path(QStringLiteral("pictures")));
    EXPECT_EQ(next.recentNames(), QStringList{"alpha"});
    EXPECT_EQ(next.recentSelection(), -1); // the combo box had no selection at exit
}

namespace {

QString writePicture(const QString &path, int width, int height)
{
    cv::Mat image(height, width, CV_8UC3);
    cv::randu(image, 0, 256);
    EXPECT_TRUE(cv::imwrite(QFile::encodeName(path).toStdString(), image));
    return path;
}

} // namespace

TEST_F(SessionTest, PreviewOffTheCallingThreadDeliversOnlyTheNewestRequest)
{
    PreviewRenderer renderer;
    QSignalSpy ready(&renderer, &PreviewRenderer::previewReady);
    PreviewJob job{writePicture(path(QStringLiteral("a.png")), 300, 200), true, QSize(300, 200), ToneSettings()};
    job.settings.output.ratioPercent = 50;
    renderer.request(job);
    job.settings.output.ratioPercent = 20;
    renderer.request(job);
    job.settings.output.ratioPercent = 10;
    renderer.request(job);
    ASSERT_TRUE(renderer.waitForIdle());
    // The first ran before the others came; the second was replaced by the third.
    ASSERT_EQ(ready.count(), 1);
    const auto arguments = ready.takeFirst();
    EXPECT_EQ(arguments.at(0).value<QImage>().size(), QSize(300, 200));
    EXPECT_EQ(arguments.at(1).value<QImage>().size(), QSize(30, 20));
    EXPECT_TRUE(arguments.at(2).toBool());

    // An unreadable file, and a size the conversion refuses.
    renderer.request(PreviewJob{path(QStringLiteral("missing.png")), true, QSize(), ToneSettings()});
    ASSERT_TRUE(renderer.waitForIdle());
    ASSERT_EQ(ready.count(), 1);
    EXPECT_FALSE(ready.takeFirst().at(2).toBool());
    job.path = writePicture(path(QStringLiteral("tiny.png")), 3, 3);
    renderer.request(job);
    ASSERT_TRUE(renderer.waitForIdle());
    const auto tiny = ready.takeFirst();
    EXPECT_TRUE(tiny.at(2).toBool());
    EXPECT_TRUE(tiny.at(1).value<QImage>().isNull());

    // After clear() a running request's result is dropped.
    renderer.request(job);
    renderer.clear();
    ASSERT_TRUE(renderer.waitForIdle());
    EXPECT_EQ(ready.count(), 0);
}
