// Stored settings with their limits, the settings dialog's range check and
// the file information dialog.
#include "shelf/fileinfodlg.h"
#include "shelf/fileinformation.h"
#include "shelf/settingdlg.h"
#include "shelf_testbooks.h"

#include "ui/mygraph.h"
#include "pageview/readersettings.h"
#include "platform/filenames.h"
#include "platform/prompt.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace leafreader;

namespace {

// The reader's or the list screens' settings read from a store holding `values`.
template <typename Settings = ReaderSettings>
Settings loadFrom(const QMap<QString, QString> &values)
{
    QTemporaryDir dir;
    QSettings store(dir.path() + "/s.ini", QSettings::IniFormat);
    for (auto it = values.begin(); it != values.end(); ++it)
        store.setValue(it.key(), it.value());
    Settings settings;
    settings.load(store);
    return settings;
}

} // namespace

TEST(ReaderSettingsLimits, SkipAndOtherNumbersAreClamped)
{
    ReaderSettings s = loadFrom({{"SkipForward", "0"}, {"SkipBack", "1000"}, {"Space", "-4"},
                                 {"Interval", "99999"}, {"APCPriority", "9"}});
    EXPECT_EQ(s.skipForward, 1);
    EXPECT_EQ(s.skipBack, 600);
    EXPECT_EQ(s.space, 0);
    EXPECT_EQ(s.interval, 3600);
    EXPECT_EQ(s.apcPriority, 5);
    const ShelfSettings list = loadFrom<ShelfSettings>({{"SortModeF", "3"}, {"SortModeR", "2"}});
    EXPECT_EQ(list.sortModeF, 1); // out of range: the default stays
    EXPECT_EQ(list.sortModeR, 2);

    s = loadFrom({{"SkipForward", "1000"}});
    EXPECT_EQ(s.skipForward, 600);
    EXPECT_TRUE(s.hideCursor);
}

TEST(ReaderSettingsLimits, ScaleTextRules)
{
    ReaderSettings s = loadFrom({{"Scale", "3:4:5"}});
    EXPECT_EQ(s.scaleNormal, 3);
    EXPECT_EQ(s.scaleFullScreen, 4);
    EXPECT_EQ(s.scalePad, 5);
    EXPECT_EQ(s.scaleListColumn, 0);
    s = loadFrom({{"Scale", "12:-12:0:11"}});
    EXPECT_EQ(s.scaleNormal, 10);
    EXPECT_EQ(s.scaleFullScreen, -10);
    EXPECT_EQ(s.scaleListColumn, 10);
    s = loadFrom({{"Scale", "1:2"}}); // fewer than three: all defaults
    EXPECT_EQ(s.scaleNormal, 0);
    EXPECT_EQ(s.scaleFullScreen, 2);
    EXPECT_EQ(s.scaleText(), "0:2:0:0");
}

TEST(ShelfSettingsStore, DefaultsAndRoundTrip)
{
    QTemporaryDir dir;
    QSettings store(dir.path() + "/s.ini", QSettings::IniFormat);
    ShelfSettings s;
    s.load(store);
    EXPECT_TRUE(s.currentFolder.isEmpty());
    EXPECT_EQ(s.sortModeF, 1);
    EXPECT_EQ(s.sortModeR, 0);
    for (const QString &slot : s.resume)
        EXPECT_TRUE(slot.isEmpty());

    s.currentFolder = QStringLiteral("/books/新しい");
    s.resume[0] = QStringLiteral("2|15|120|0|0|/books/a.kvb");
    s.resume[42] = QStringLiteral("3|1|3|5|1|/books/b.kvb");
    s.sortModeF = 2;
    s.sortModeR = 1;
    s.save(store);
    ShelfSettings back;
    back.load(store);
    EXPECT_EQ(back.currentFolder, s.currentFolder);
    EXPECT_EQ(back.resume, s.resume);
    EXPECT_EQ(back.sortModeF, 2);
    EXPECT_EQ(back.sortModeR, 1);
    EXPECT_EQ(store.value("Resume41").toString(), QString()); // gaps are stored empty
    // A sort mode that is no number keeps the value held.
    store.setValue("SortModeR", "junk");
    back.load(store);
    EXPECT_EQ(back.sortModeR, 1);

    // Names whose bytes are not UTF-8 come back from the file as they were.
    s.currentFolder = platform::nameFromBytes("/books/\x93\xfa\x96\x7b");
    s.resume[1] = platform::nameFromBytes("2|3|9|0|0|/books/b\xff.kvb");
    s.save(store);
    store.sync();
    // Another file, so Qt reads it rather than its copy in memory.
    ASSERT_TRUE(QFile::copy(dir.path() + "/s.ini", dir.path() + "/copy.ini"));
    QSettings again(dir.path() + "/copy.ini", QSettings::IniFormat);
    ShelfSettings fromFile;
    fromFile.load(again);
    EXPECT_EQ(fromFile.currentFolder, s.currentFolder);
    EXPECT_EQ(fromFile.resume, s.resume);
}

TEST(SettingDialog, ShowsStoredValuesAndRefusesOutOfRange)
{
    ReaderSettings stored = loadFrom({{"SkipForward", "1000"}, {"Scale", "3:4:5:-2"}, {"APCPriority", "2"}});
    platform::ScriptedPrompt prompt;
    SettingDlg dialog(stored, ShelfSettings(), prompt);
    EXPECT_EQ(dialog.field(SettingDlg::FieldSkipForward)->value(), 600);
    EXPECT_EQ(dialog.scaleBar(SettingDlg::ScaleListColumn)->value(), -2);
    EXPECT_EQ(dialog.scaleLabel(SettingDlg::ScaleFullScreen)->text(), "+4");
    EXPECT_EQ(dialog.scaleBar(SettingDlg::ScalePad)->pageStep(), 3);
    EXPECT_EQ(dialog.priority()->currentIndex(), 2);
    EXPECT_EQ(dialog.folderOrder()->checkedId(), 1);

    if (qEnvironmentVariableIsSet("SHELF_DIALOG_SHOTS"))
        dialog.grab().save(qEnvironmentVariable("SHELF_DIALOG_SHOTS") + "/settings.png");
    dialog.accept(); // 600 is outside 1..100
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(prompt.texts().size(), 1);
    EXPECT_EQ(dialog.values().skipForward, 600);

    // A number typed below the range stays as typed, and OK refuses it.
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QSpinBox *interval = dialog.field(SettingDlg::FieldInterval);
    interval->setFocus();
    interval->selectAll();
    QTest::keyClicks(interval, QStringLiteral("0"));
    dialog.field(SettingDlg::FieldSkipForward)->setValue(100);
    prompt.clear();
    QTest::keyClick(interval, Qt::Key_Return);
    EXPECT_EQ(prompt.texts(), QStringList{"1 から 3600 までの整数を入力してください。"});
    EXPECT_EQ(interval->value(), 0);

    dialog.field(SettingDlg::FieldSkipForward)->setValue(100);
    dialog.field(SettingDlg::FieldInterval)->setValue(3600);
    dialog.field(SettingDlg::FieldSpace)->setValue(30);
    dialog.scaleBar(SettingDlg::ScaleNormal)->setValue(-10);
    dialog.resumeOrder()->button(2)->setChecked(true);
    dialog.loop()->setChecked(true);
    dialog.hideCursor()->setChecked(false);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values().skipForward, 100);
    EXPECT_EQ(dialog.values().interval, 3600);
    EXPECT_EQ(dialog.values().space, 30);
    EXPECT_EQ(dialog.values().scaleNormal, -10);
    EXPECT_EQ(dialog.values().scalePad, 5);
    EXPECT_EQ(dialog.listValues().sortModeR, 2);
    EXPECT_EQ(dialog.listValues().sortModeF, 1);
    EXPECT_TRUE(dialog.values().loop);
    EXPECT_FALSE(dialog.values().hideCursor);
}

TEST(SettingDialog, PadScalePreviewAndCancel)
{
    ReaderSettings settings;
    settings.scalePad = 1;
    platform::ScriptedPrompt prompt;
    SettingDlg dialog(settings, ShelfSettings(), prompt);
    std::vector<int> previews;
    dialog.onPadScalePreview = [&previews](int v) { previews.push_back(v); };
    dialog.scaleBar(SettingDlg::ScalePad)->setValue(4);
    EXPECT_EQ(dialog.scaleLabel(SettingDlg::ScalePad)->text(), "+4");
    dialog.reject();
    EXPECT_EQ(previews, std::vector<int>({4, 1}));
}

TEST(FileInformationDialog, ShowsHeaderAndSortedAttributes)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/info.kvb";
    testsupport::BookBytes b;
    b.header(1, kvb::PageSpread | kvb::BindR, 1).thumbnail(0x30);
    b.text(3, "First author").item("ISBN", "42").date(2021, 0, 5).text(1, "Title");
    b.text(3, "Second author").text(2, "Sub").rawAttribute(9, "??");
    b.page(0x80, testsupport::encode(testsupport::cornerPicture(8, 8), "JPG"));
    ASSERT_TRUE(testsupport::writeFile(path, b.bytes()));

    const FileInformation info = gatherFileInformation(path, 10240);
    ASSERT_TRUE(info.read);
    EXPECT_TRUE(info.showsThumbnail());
    FileInfoDlg dialog(info);
    EXPECT_EQ(dialog.controlText(FileInfoDlg::IdPath), path);
    EXPECT_EQ(dialog.controlText(FileInfoDlg::IdSize), " 10K (10240) Bytes");
    EXPECT_EQ(dialog.controlText(FileInfoDlg::IdPageCount), " 1");
    EXPECT_EQ(dialog.controlText(FileInfoDlg::IdLayout), " 表紙なし見開き、右綴じ");
    using Row = QPair<QString, QString>;
    const QList<Row> expected = {Row("タイトル", "Title"), Row("サブタイトル", "Sub"),
                                 Row("著者", "First author"), Row("著者", "Second author"),
                                 Row("出版日", "2021"), Row("ISBN", "42")}; // type 9 is skipped by the reader
    EXPECT_EQ(dialog.attributeRows(), expected);
    if (qEnvironmentVariableIsSet("SHELF_DIALOG_SHOTS"))
        dialog.grab().save(qEnvironmentVariable("SHELF_DIALOG_SHOTS") + "/fileinfo.png");
    const QImage shown = dialog.picture()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(80, 100), QColor(0x30, 0x30, 0x30));

    // An unreadable file still shows its path and size, nothing else.
    const FileInformation none = gatherFileInformation(dir.path() + "/missing.kvb", 0);
    EXPECT_FALSE(none.read);
    FileInfoDlg empty(none);
    EXPECT_EQ(empty.controlText(FileInfoDlg::IdSize), " (Unknown)");
    EXPECT_TRUE(empty.controlText(FileInfoDlg::IdPageCount).isEmpty());
    EXPECT_TRUE(empty.attributeRows().isEmpty());
}
