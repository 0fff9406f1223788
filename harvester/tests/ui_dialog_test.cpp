// The main dialog offscreen: enabling, settings, closing during runs.
#include "testfixtures.h"

#include "app/harvesterdlg.h"
#include "core/controlenabling.h"
#include "core/messages.h"

#include <platform/settings.h>
#include <platform/version.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

using namespace harvester;
using harvestertest::Workspace;
using harvestertest::exists;
using platform::PromptAnswer;
using platform::ScriptedPrompt;

namespace {

// A settings store of its own in a temporary folder.
struct Store {
    QTemporaryDir dir;
    QSettings settings{dir.filePath(QStringLiteral("Harvester.ini")), QSettings::IniFormat};
    Store() { settings.beginGroup(QStringLiteral("Settings")); }
};

struct Dialog {
    ScriptedPrompt prompt;
    CHarvesterDlg dlg{prompt};
    Dialog() { dlg.setExtractor(harvestertest::fakeExtractor()); }

    bool enabled(int id) const { return dlg.control(id)->isEnabled(); }
    QCheckBox *check(int id) const { return qobject_cast<QCheckBox *>(dlg.control(id)); }
    QComboBox *combo(int id) const { return qobject_cast<QComboBox *>(dlg.control(id)); }
    QLineEdit *edit(int id) const { return qobject_cast<QLineEdit *>(dlg.control(id)); }
    void click(int id) { check(id)->click(); }
};

const std::vector<int> kIdleControls{IdProcess, IdSubFolder, IdPostProcess, IdTargetFolder, IdBrowseTarget, IdStart, IdClose};

} // namespace

TEST(HarvesterDialog, FirstStartShowsTheDefaults)
{
    Store store;
    Dialog d;
    d.dlg.loadSettings(store.settings);
    EXPECT_EQ(d.combo(IdProcess)->currentText(), QStringLiteral("PDFをKVBに変換"));
    EXPECT_EQ(d.combo(IdPostProcess)->currentText(), QStringLiteral("そのまま"));
    EXPECT_EQ(d.combo(IdParentFolder)->currentText(), QStringLiteral("何もしない"));
    for (int id : {IdSubFolder, IdCover, IdBindR, IdSpread, IdThumb})
        EXPECT_TRUE(d.check(id)->isChecked()) << id;
    for (int id : {IdNameAsTitle, IdNumberAsDate})
        EXPECT_FALSE(d.check(id)->isChecked()) << id;
    EXPECT_TRUE(d.edit(IdTargetFolder)->text().isEmpty());
    EXPECT_TRUE(d.edit(IdWorkFolder)->text().isEmpty());
    EXPECT_EQ(d.edit(IdTargetFolder)->maxLength(), 4095);
    EXPECT_EQ(d.dlg.windowTitle(), QStringLiteral("Harvester"));
    const QPalette log = d.dlg.control(IdLog)->palette();
    EXPECT_EQ(log.color(QPalette::Base), QColor(Qt::black));
    EXPECT_EQ(log.color(QPalette::Text), QColor(Qt::white));
}

TEST(HarvesterDialog, EnablingFollowsTheConversionAndTheBoxes)
{
    Dialog d;
    for (int id : kIdleControls)
        EXPECT_TRUE(d.enabled(id)) << id;
    EXPECT_FALSE(d.enabled(IdStop));
    EXPECT_TRUE(d.enabled(IdWorkFolder));
    EXPECT_TRUE(d.enabled(IdSpread));
    EXPECT_FALSE(d.enabled(IdNumberAsDate));

    d.combo(IdProcess)->setCurrentIndex(PdfToImageFolder);
    for (int id : {IdSpread, IdThumb, IdNameAsTitle, IdParentFolder, IdCover, IdBindR, IdNumberAsDate})
        EXPECT_FALSE(d.enabled(id)) << id;
    EXPECT_TRUE(d.enabled(IdWorkFolder));
    EXPECT_TRUE(d.enabled(IdBrowseWork));

    d.combo(IdProcess)->setCurrentIndex(ImageFoldersToBooks);
    EXPECT_FALSE(d.enabled(IdWorkFolder));
    EXPECT_FALSE(d.enabled(IdBrowseWork));
    for (int id : {IdSpread, IdThumb, IdNameAsTitle, IdParentFolder, IdCover, IdBindR})
        EXPECT_TRUE(d.enabled(id)) << id;

    // Spread off: cover and binding grey out but keep their marks.
    d.click(IdSpread);
    EXPECT_FALSE(d.enabled(IdCover));
    EXPECT_FALSE(d.enabled(IdBindR));
    EXPECT_TRUE(d.check(IdCover)->isChecked());
    EXPECT_TRUE(d.dlg.currentChoices().book.cover);

    d.click(IdNameAsTitle);
    EXPECT_TRUE(d.enabled(IdNumberAsDate));
    d.combo(IdProcess)->setCurrentIndex(BooksToImageFolders);
    EXPECT_FALSE(d.enabled(IdNumberAsDate));
    EXPECT_FALSE(d.enabled(IdWorkFolder));
}

TEST(HarvesterDialog, SettingsAreReadAndWrittenUnderTheirNames)
{
    Store store;
    store.settings.setValue(QStringLiteral("Process"), 2);
    store.settings.setValue(QStringLiteral("SubFolder"), 0);
    store.settings.setValue(QStringLiteral("PdfFolder"), QStringLiteral("/data/scans/"));
    store.settings.setValue(QStringLiteral("WkFolder"), QStringLiteral("/tmp/work/"));
    store.settings.setValue(QStringLiteral("Cover"), 0);
    store.settings.setValue(QStringLiteral("BindR"), 5);
    store.settings.setValue(QStringLiteral("Spread"), 0);
    store.settings.setValue(QStringLiteral("Thumb"), QStringLiteral("junk"));
    store.settings.setValue(QStringLiteral("NameAsTitle"), 1);
    store.settings.setValue(QStringLiteral("NumberAsDate"), 1);
    store.settings.setValue(QStringLiteral("ParentFolder"), 3);
    store.settings.setValue(QStringLiteral("PostProcess"), 1);

    Dialog d;
    d.dlg.loadSettings(store.settings);
    const HarvesterSettings s = d.dlg.currentChoices();
    EXPECT_EQ(s.process, 2);
    EXPECT_FALSE(s.subFolder);
    EXPECT_EQ(s.pdfFolder, QStringLiteral("/data/scans/"));
    EXPECT_EQ(s.wkFolder, QStringLiteral("/tmp/work/"));
    EXPECT_FALSE(s.book.cover);
    EXPECT_TRUE(s.book.bindR);
    EXPECT_FALSE(s.book.spread);
    EXPECT_TRUE(s.book.thumb); // unreadable: the default
    EXPECT_TRUE(s.book.nameAsTitle);
    EXPECT_TRUE(s.book.numberAsDate);
    EXPECT_EQ(s.book.targetName, 3);
    EXPECT_EQ(s.postProcess, 1);
    EXPECT_TRUE(d.enabled(IdNumberAsDate));
    EXPECT_FALSE(d.enabled(IdCover));

    // Written back as the boxes show them: flags as 1 or 0.
    Store written;
    d.dlg.saveSettings(written.settings);
    const std::vector<std::pair<const char *, QString>> expected{
        {"Process", "2"}, {"SubFolder", "0"}, {"PdfFolder", "/data/scans/"}, {"WkFolder", "/tmp/work/"},
        {"Cover", "0"}, {"BindR", "1"}, {"Spread", "0"}, {"Thumb", "1"}, {"NameAsTitle", "1"},
        {"NumberAsDate", "1"}, {"ParentFolder", "3"}, {"PostProcess", "1"}};
    for (const auto &[name, value] : expected)
        EXPECT_EQ(written.settings.value(QString::fromLatin1(name)).toString(), value) << name;
}

TEST(HarvesterDialog, AProcessValueOutsideTheListSelectsNothingAndStartsNothing)
{
    Store store;
    store.settings.setValue(QStringLiteral("Process"), 7);
    store.settings.setValue(QStringLiteral("PostProcess"), -1);
    Dialog d;
    d.dlg.loadSettings(store.settings);
    EXPECT_EQ(d.combo(IdProcess)->currentIndex(), -1);
    EXPECT_EQ(d.combo(IdPostProcess)->currentIndex(), -1);
    EXPECT_FALSE(d.enabled(IdWorkFolder));
    d.dlg.onCommand(IdStart);
    EXPECT_EQ(d.prompt.beeps(), 1);
    EXPECT_FALSE(d.dlg.run().running());
    EXPECT_TRUE(d.enabled(IdStart));

    Store written;
    d.dlg.saveSettings(written.settings);
    EXPECT_FALSE(written.settings.contains(QStringLiteral("Process")));
    EXPECT_FALSE(written.settings.contains(QStringLiteral("PostProcess")));
    EXPECT_TRUE(written.settings.contains(QStringLiteral("ParentFolder")));
}

TEST(HarvesterDialog, BrowsingFillsTheBoxWithATrailingSlash)
{
    Dialog d;
    d.edit(IdTargetFolder)->setText(QStringLiteral("/data/old/"));
    d.prompt.planPath(QStringLiteral("/data/new"));
    d.dlg.onCommand(IdBrowseTarget);
    EXPECT_EQ(d.edit(IdTargetFolder)->text(), QStringLiteral("/data/new/"));
    ASSERT_EQ(d.prompt.dialogs().size(), 1u);
    EXPECT_EQ(d.prompt.dialogs()[0].caption, text::BrowseTargetCaption);
    EXPECT_EQ(d.prompt.dialogs()[0].start, QStringLiteral("/data/old"));

    d.dlg.onCommand(IdBrowseWork); // cancelled: the box stays
    EXPECT_EQ(d.prompt.dialogs()[1].caption, text::BrowseWorkCaption);
    EXPECT_TRUE(d.edit(IdWorkFolder)->text().isEmpty());
}

TEST(HarvesterDialog, AboutComesFromTheWindowMenu)
{
    Dialog d;
    ASSERT_FALSE(d.dlg.actions().isEmpty());
    EXPECT_EQ(d.dlg.actions()[0]->text(), text::AboutMenuItem);
    d.dlg.actions()[0]->trigger();
    ASSERT_EQ(d.prompt.shown().size(), 1u);
    EXPECT_EQ(d.prompt.shown()[0].text, text::AboutText + platform::versionText());
    EXPECT_EQ(d.prompt.shown()[0].caption, text::AboutCaption);
}

TEST(HarvesterDialog, ARunDisablesTheControlsAndFillsTheLog)
{
    Workspace ws;
    const QString img = ws.jpegFile(QStringLiteral("src/1.jpg"), 1);
    QStringList chatter{"image " + img};
    for (int i = 1; i <= 515; ++i)
        chatter.append(QStringLiteral("say line %1").arg(i));
    ws.fakePdf(QStringLiteral("pdfs/a.pdf"), chatter);
    ws.fakePdf(QStringLiteral("pdfs/b.pdf"), chatter);

    Dialog d;
    d.dlg.show();
    d.edit(IdTargetFolder)->setText(ws.path(QStringLiteral("pdfs")));
    d.edit(IdWorkFolder)->setText(ws.folder(QStringLiteral("work")));
    d.dlg.onCommand(IdStart);
    ASSERT_TRUE(d.dlg.run().running());
    for (int id : kIdleControls)
        EXPECT_FALSE(d.enabled(id)) << id;
    EXPECT_TRUE(d.enabled(IdStop));
    EXPECT_TRUE(d.dlg.control(IdLog)->isEnabled());

    harvestertest::RunFixture::waitFor([&] { return !d.dlg.run().running(); });
    ASSERT_FALSE(d.dlg.run().running());
    EXPECT_EQ(d.prompt.texts(), QStringList{harvestertest::finished(2)});
    for (int id : kIdleControls)
        EXPECT_TRUE(d.enabled(id)) << id;
    // 2 command lines, 1030 lines of chatter, 2 exit codes and the summary:
    // the box keeps the last 1025.
    auto *log = qobject_cast<QPlainTextEdit *>(d.dlg.control(IdLog));
    EXPECT_EQ(log->document()->blockCount(), 1025);
    EXPECT_EQ(log->document()->lastBlock().text(), RunSummary{2}.text());
    EXPECT_EQ(d.dlg.run().log().lineCount(), 1025);
    EXPECT_TRUE(qobject_cast<QLabel *>(d.dlg.control(IdStatus))->text().isEmpty());
}

TEST(HarvesterDialog, ClosingDuringAFolderRunAsksToStopFirstAndTheRunGoesOn)
{
    Workspace ws;
    for (int i = 0; i < 4; ++i)
        ws.jpegFile(QStringLiteral("lib/%1/a.jpg").arg(i), i);
    Store store;
    Dialog d;
    d.dlg.setSettingsStore(&store.settings);
    d.dlg.show();
    d.combo(IdProcess)->setCurrentIndex(ImageFoldersToBooks);
    d.check(IdThumb)->setChecked(false);
    d.edit(IdTargetFolder)->setText(ws.path(QStringLiteral("lib")));
    QTimer::singleShot(0, &d.dlg, [&] { d.dlg.reject(); }); // Esc while the run hands events on
    d.dlg.onCommand(IdStart);
    EXPECT_EQ(d.prompt.texts(), (QStringList{text::RunningStopFirst, harvestertest::finished(4)}));
    EXPECT_TRUE(d.dlg.isVisible());
    EXPECT_TRUE(exists(ws.path(QStringLiteral("lib/3.kvb"))));
    EXPECT_FALSE(store.settings.contains(QStringLiteral("Process")));
}

TEST(HarvesterDialog, ClosingDuringAPdfRunEndsTheExtractorAfterYes)
{
    Workspace ws;
    const QString img = ws.jpegFile(QStringLiteral("src/1.jpg"), 1);
    ws.fakePdf(QStringLiteral("pdfs/a.pdf"), {"image " + img, "say copied", "hang"});
    Store store;
    Dialog d;
    d.dlg.setSettingsStore(&store.settings);
    d.dlg.show();
    d.edit(IdTargetFolder)->setText(ws.path(QStringLiteral("pdfs")));
    d.edit(IdWorkFolder)->setText(ws.folder(QStringLiteral("work")));
    d.dlg.onCommand(IdStart);
    ASSERT_TRUE(d.dlg.run().extractorConnected());
    ASSERT_TRUE(harvestertest::RunFixture::waitFor(
        [&] { return d.dlg.run().log().lines().back() == QStringLiteral("copied"); }));

    d.prompt.planAnswer(PromptAnswer::No);
    d.dlg.onCommand(IdClose);
    EXPECT_TRUE(d.dlg.run().running());
    EXPECT_TRUE(d.dlg.isVisible());
    EXPECT_EQ(d.prompt.shown().back().buttons, platform::PromptButtons::YesNoDefaultNo);

    d.dlg.onCommand(IdClose); // unplanned: Yes
    EXPECT_EQ(d.prompt.texts(), (QStringList{text::RunningForceClose, text::RunningForceClose}));
    EXPECT_FALSE(d.dlg.run().running());
    EXPECT_FALSE(d.dlg.run().extractorConnected());
    EXPECT_FALSE(d.dlg.isVisible());
    // A killed extractor's images are no whole PDF: no book, the PDF stays.
    EXPECT_FALSE(exists(ws.path(QStringLiteral("pdfs/a.kvb"))));
    EXPECT_TRUE(exists(ws.path(QStringLiteral("pdfs/a.pdf"))));
    EXPECT_EQ(store.settings.value(QStringLiteral("PdfFolder")).toString(), ws.path(QStringLiteral("pdfs")));
}
