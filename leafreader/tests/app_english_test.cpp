// The reader in English: the folder list and a book open, with their menus,
// dialogs, messages and the texts painted by hand, show no Japanese. The
// book and its folder have plain names, so nothing is left to filter out.
#include "leafreaderstartup.h"
#include "messagedlg.h"
#include "shelf/fileinfodlg.h"
#include "shelf/inqresumedeletedlg.h"
#include "shelf/listcommands.h"
#include "shelf/settingdlg.h"
#include "shelf/shelflist.h"
#include "shelf/shelfmodel.h"
#include "shelf_testbooks.h"

#include "pageview/controldlg.h"
#include "englishtexts.h"
#include "visibletexts.h"

#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace leafreader;
using testsupport::containsJapanese;


TEST(LeafreaderEnglish, ListBookMenusAndDialogsShowNoJapanese)
{
    const testsupport::EnglishTexts english(u"leafreader");
    ASSERT_TRUE(english.loaded);

    QTemporaryDir dir;
    const QString library = dir.filePath(QStringLiteral("library"));
    QDir().mkpath(library);
    const QString bookPath = library + QStringLiteral("/harbour.kvb");
    shelftest::TestBook book;
    book.title = QStringLiteral("Harbour Notes");
    book.author = QStringLiteral("A. Writer");
    book.year = 2021;
    book.pages = 6;
    book.layout = kvb::PageSpread | kvb::Cover | kvb::BindR;
    ASSERT_TRUE(shelftest::writeBook(bookPath, book));

    QSettings store(dir.filePath(QStringLiteral("Leafreader.ini")), QSettings::IniFormat);
    platform::ScriptedPrompt prompt;
    LaunchOptions options;
    options.bookPath = library;
    LeafreaderStartup startup(options, store, prompt);
    ASSERT_EQ(startup.start(false), LeafreaderStartup::StartResult::Running);
    CLeafreaderFrame &frame = startup.frame();
    CLeafreaderView &view = frame.view();
    ShelfView &shelf = startup.shelf();
    ASSERT_FALSE(view.bookMode());

    // The folder list, its menu, and the resume list's menu.
    EXPECT_EQ(testsupport::japaneseReport(&frame), "");
    std::unique_ptr<QMenu> menu(shelf.createMenu());
    EXPECT_EQ(testsupport::japaneseReport(menu.get()), "");
    shelf.onCommand(CmdSwitchScreen);
    menu.reset(shelf.createMenu());
    EXPECT_EQ(testsupport::japaneseReport(menu.get()), "");
    shelf.onCommand(CmdSwitchScreen);

    // The dialogs the list opens.
    SettingDlg settings(startup.settings(), startup.listSettings(), prompt);
    EXPECT_EQ(testsupport::japaneseReport(&settings), "");
    FileInfoDlg information(gatherFileInformation(bookPath, QFileInfo(bookPath).size()));
    EXPECT_EQ(testsupport::japaneseReport(&information), "");
    CInqResumeDeleteDlg question;
    EXPECT_EQ(testsupport::japaneseReport(&question), "");

    // Painted and told by message: the pad, About, failures.
    for (const QString &label : CControlDlg::faceLabels())
        EXPECT_FALSE(containsJapanese(label)) << label.toStdString();
    view.onCommand(CmdAbout);
    BookEntry missing;
    missing.kind = BookEntry::BookFile;
    missing.path = library + QStringLiteral("/gone.kvb");
    EXPECT_FALSE(view.openBook(missing));
    ASSERT_EQ(prompt.shown().size(), 2u);
    for (const auto &shown : prompt.shown())
        EXPECT_FALSE(containsJapanese(shown.caption + shown.text))
            << (shown.caption + u'/' + shown.text).toStdString();
    EXPECT_FALSE(containsJapanese(ShelfModel::infoFailedMessage(missing.path)));
    prompt.clear();

    // The book open, its menu and the status texts of zoom and auto-turn.
    shelf.list()->setFocus();
    QTest::keyClick(shelf.list(), Qt::Key_Return);
    ASSERT_TRUE(view.bookMode()) << prompt.texts().join(u'\n').toStdString();
    EXPECT_EQ(testsupport::japaneseReport(&frame), "");
    menu.reset(view.createBookMenu());
    EXPECT_EQ(testsupport::japaneseReport(menu.get()), "");
    QTest::keyClick(&view, Qt::Key_5);
    EXPECT_EQ(view.statusPopup().text(), QStringLiteral("Zoom mode: ON"));
    QTest::keyClick(&view, Qt::Key_Backspace);
    EXPECT_EQ(view.statusPopup().text(), QStringLiteral("Auto page turn: ON"));
}
