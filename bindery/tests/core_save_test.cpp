// Save, Save As with its proposed names, and export of pages.
#include "testfixtures.h"

#include "core/binderyeditor.h"
#include "core/messages.h"
#include "core/savenames.h"

#include <book/kvbfile.h>

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace bindery;
using binderytest::Workspace;
using platform::PromptIcon;
using platform::ScriptedPrompt;

TEST(BinderySaveNames, AutoFileNameRules)
{
    const QString T = QStringLiteral("ABC");
    EXPECT_EQ(proposedFileName(0, T, true, 2021, 3, 5), QString());
    EXPECT_EQ(proposedFileName(1, T, true, 2021, 3, 5), QStringLiteral("ABC.kvb"));
    EXPECT_EQ(proposedFileName(1, {}, true, 2021, 3, 5), QString());
    EXPECT_EQ(proposedFileName(2, T, true, 21, 3, 5), QStringLiteral("0021 ABC.kvb"));
    EXPECT_EQ(proposedFileName(2, T, false, 2021, 3, 5), QStringLiteral("ABC.kvb"));
    EXPECT_EQ(proposedFileName(2, {}, true, 2021, 3, 5), QStringLiteral("2021.kvb"));
    EXPECT_EQ(proposedFileName(2, {}, false, 2021, 3, 5), QString());
    EXPECT_EQ(proposedFileName(3, T, true, 2021, 3, 5), QStringLiteral("202103 ABC.kvb"));
    EXPECT_EQ(proposedFileName(3, T, true, 2021, 0, 5), QStringLiteral("2021 ABC.kvb"));
    EXPECT_EQ(proposedFileName(3, {}, true, 2021, 3, 5), QStringLiteral("202103.kvb"));
    EXPECT_EQ(proposedFileName(4, T, true, 2021, 3, 5), QStringLiteral("20210305 ABC.kvb"));
    EXPECT_EQ(proposedFileName(4, T, true, 2021, 3, 0), QStringLiteral("202103 ABC.kvb"));
    EXPECT_EQ(proposedFileName(4, T, true, 2021, 0, 5), QStringLiteral("2021 ABC.kvb"));
    EXPECT_EQ(proposedFileName(4, {}, true, 2021, 3, 0), QStringLiteral("202103.kvb"));
    EXPECT_EQ(proposedFileName(4, {}, false, 2021, 3, 0), QString());
    // A slash in the title must not turn the proposal into a path.
    EXPECT_EQ(proposedFileName(1, QStringLiteral("A/B"), false, 0, 0, 0), QStringLiteral("A\uFF0FB.kvb"));
}

namespace {

struct SaveFixture {
    Workspace ws;
    ScriptedPrompt prompt;
    BinderyEditor editor{prompt};
    QStringList sources;

    SaveFixture()
    {
        sources << ws.picture(QStringLiteral("src/1.jpg")) << ws.picture(QStringLiteral("src/2.png"))
                << ws.picture(QStringLiteral("src/3.jpg"));
        EXPECT_TRUE(editor.addPagesCommand(sources));
        editor.takeChanges();
    }
};

} // namespace

TEST(BinderySave, NewDocumentOnlyBeepsAndSaveAsProposesFromTitleAndDate)
{
    SaveFixture f;
    BookDocument &d = f.editor.document();
    EXPECT_FALSE(f.editor.runCommand(CmdSave));
    EXPECT_EQ(f.prompt.beeps(), 1);
    EXPECT_TRUE(f.prompt.dialogs().empty());

    const QString books = f.ws.folder(QStringLiteral("books"));
    f.editor.settings().kvbFolder = books;
    f.editor.settings().autoFileName = 4;
    d.title = QStringLiteral("ABC");
    d.datePresent = true;
    d.year = 2021;
    d.month = 3;
    d.day = 0;
    d.author = QStringLiteral("A");
    kvb::AttributeEntry b;
    b.type = kvb::Author;
    b.text = QStringLiteral("B");
    d.otherAttributes = {b};
    const QString target = books + QStringLiteral("/chosen");
    f.prompt.planPath(target);
    ASSERT_TRUE(f.editor.runCommand(CmdSaveAs));
    ASSERT_EQ(f.prompt.dialogs().size(), 1u);
    EXPECT_EQ(f.prompt.dialogs()[0].kind, QStringLiteral("saveFile"));
    EXPECT_EQ(f.prompt.dialogs()[0].start, books + QStringLiteral("/202103 ABC.kvb"));
    EXPECT_EQ(d.documentPath, target + QStringLiteral(".kvb"));
    EXPECT_EQ(f.editor.settings().kvbFolder, books);
    EXPECT_FALSE(d.modified);
    EXPECT_EQ(f.prompt.texts(), QStringList{text::Saved});
    EXPECT_EQ(f.prompt.shown().back().icon, PromptIcon::Information);
    EXPECT_EQ(f.editor.histories().list(InputHistories::Title), QStringList{"ABC"});
    EXPECT_EQ(f.editor.histories().list(InputHistories::Author), (QStringList{"B", "A"}));

    kvb::BookHeader header;
    kvb::AttributeList attributes;
    kvb::PageList pages;
    ASSERT_TRUE(kvb::KVBFile::readBook(d.documentPath, &header, &attributes, &pages));
    EXPECT_EQ(pages.size(), 3u);
    EXPECT_EQ(header.layoutFlags, d.layoutFlags());
    ASSERT_EQ(attributes.size(), 4u);
    EXPECT_EQ(attributes[0].type, kvb::Title);
    EXPECT_EQ(attributes[1].type, kvb::Author);
    EXPECT_EQ(attributes[2].type, kvb::PublicationDate);
    EXPECT_EQ(attributes[2].month, 3);
    EXPECT_EQ(attributes[3].text, QStringLiteral("B"));

    // The pages now come from the saved book: the sources may go.
    for (const QString &source : f.sources)
        QFile::remove(source);
    for (const auto &page : d.pages)
        EXPECT_EQ(page.sourcePath, d.documentPath);
    d.modified = true;
    f.prompt.clear();
    ASSERT_TRUE(f.editor.runCommand(CmdSave));
    EXPECT_EQ(f.prompt.texts(), QStringList{text::Saved});
    pages.clear();
    EXPECT_TRUE(kvb::KVBFile::readBook(d.documentPath, nullptr, nullptr, &pages));
    EXPECT_EQ(pages.size(), 3u);
}

TEST(BinderySave, SaveAsOfAnOpenBookProposesItsOwnNameAndFailuresKeepTheDocument)
{
    SaveFixture f;
    BookDocument &d = f.editor.document();
    d.documentPath = f.ws.path(QStringLiteral("out/old name.kvb"));
    f.editor.settings().autoFileName = 1;
    d.title = QStringLiteral("Other");
    // The folder does not exist: writing fails.
    f.prompt.planPath(d.documentPath);
    EXPECT_FALSE(f.editor.saveAs());
    EXPECT_EQ(f.prompt.dialogs().back().start, d.documentPath);
    EXPECT_EQ(f.prompt.texts(), QStringList{text::SaveFailed});
    EXPECT_EQ(f.prompt.shown().back().icon, PromptIcon::None);
    EXPECT_TRUE(d.modified);
    EXPECT_EQ(d.pages[0].sourcePath, f.sources[0]);

    // Validation ends a save before any dialog.
    f.prompt.clear();
    d.title = QStringLiteral("bad\x07");
    EXPECT_FALSE(f.editor.saveAs());
    EXPECT_TRUE(f.prompt.dialogs().empty());
    EXPECT_EQ(f.prompt.texts(), QStringList{text::TitleControl});
    EXPECT_EQ(f.editor.takeFocusRequest(), Field::Title);
}

TEST(BinderyExport, NumbersRunPastFourDigitsAndTheStartNumberIsKept)
{
    SaveFixture f;
    const QString out = f.ws.folder(QStringLiteral("export"));
    f.editor.settings().expPrefix = QStringLiteral("P");
    f.editor.settings().expStartNum = 9998;
    f.prompt.planPath(out);
    ASSERT_TRUE(f.editor.runCommand(CmdExportAll));
    EXPECT_EQ(f.prompt.dialogs().back().caption, text::ExportAllCaption);
    for (const char *name : {"P9998.jpg", "P9999.png", "P10000.jpg"})
        EXPECT_TRUE(QFileInfo::exists(out + u'/' + QLatin1String(name))) << name;
    EXPECT_EQ(testsupport::readFile(out + QStringLiteral("/P9999.png")), testsupport::readFile(f.sources[1]));
    EXPECT_EQ(f.prompt.texts(), QStringList{text::Exported});
    EXPECT_EQ(f.editor.settings().expFolder, out);
    EXPECT_EQ(f.editor.settings().expStartNum, 9998);

    // Selected pages only; none selected only beeps.
    f.prompt.clear();
    EXPECT_FALSE(f.editor.runCommand(CmdExportSelected));
    EXPECT_EQ(f.prompt.beeps(), 1);
    f.editor.setSelection({2});
    f.editor.settings().expPrefix.clear();
    f.editor.settings().expStartNum = 1;
    f.prompt.planPath(out);
    ASSERT_TRUE(f.editor.runCommand(CmdExportSelected));
    EXPECT_EQ(f.prompt.dialogs().back().caption, text::ExportSelectedCaption);
    EXPECT_EQ(testsupport::readFile(out + QStringLiteral("/0001.jpg")), testsupport::readFile(f.sources[2]));
    EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/0002.jpg")));

    // A page whose source is gone stops the export with the failure message.
    f.prompt.clear();
    QFile::remove(f.sources[1]);
    f.prompt.planPath(out);
    EXPECT_FALSE(f.editor.runCommand(CmdExportAll));
    EXPECT_EQ(f.prompt.texts(), QStringList{text::ExportFailed});
}

TEST(BinderyExport, FilesThatPagesAreReadFromAreNotReplaced)
{
    // Pages added from a scan folder, exported back into it under the names
    // they already have: writing would empty 0001.jpg before it is read.
    Workspace ws;
    ScriptedPrompt prompt;
    BinderyEditor editor(prompt);
    const QString scans = ws.folder(QStringLiteral("scans"));
    const QStringList files{ws.picture(QStringLiteral("scans/0002.jpg"), 30, 40),
                            ws.picture(QStringLiteral("scans/0001.jpg"), 50, 40)};
    ASSERT_TRUE(editor.addPagesCommand(files));
    editor.setSelection({1});
    ASSERT_TRUE(editor.moveToTop()); // 0002.jpg becomes page 1 and would go to 0001.jpg
    const QByteArray before = testsupport::readFile(files[1]);
    editor.settings().expStartNum = 1;
    prompt.planPath(scans);
    EXPECT_FALSE(editor.runCommand(CmdExportAll));
    EXPECT_EQ(prompt.texts(), QStringList{text::ExportFailed});
    EXPECT_EQ(testsupport::readFile(files[1]), before);
    // Into another folder, or after the names move on, the export works.
    prompt.clear();
    editor.settings().expStartNum = 3;
    prompt.planPath(scans);
    EXPECT_TRUE(editor.runCommand(CmdExportAll));
    EXPECT_EQ(testsupport::readFile(scans + QStringLiteral("/0003.jpg")), testsupport::readFile(files[0]));
    EXPECT_EQ(testsupport::readFile(files[1]), before);
}

TEST(BinderyExport, ALinkInTheFolderIsReplacedNotWrittenThrough)
{
    SaveFixture f;
    const QString out = f.ws.folder(QStringLiteral("export"));
    const QString victim = out + QStringLiteral("/../victim.txt");
    ASSERT_TRUE(testsupport::writeFile(victim, "precious"));
    ASSERT_TRUE(QFile::link(victim, out + QStringLiteral("/0001.jpg")));
    f.editor.settings().expStartNum = 1;
    f.prompt.planPath(out);
    ASSERT_TRUE(f.editor.runCommand(CmdExportAll));
    EXPECT_EQ(testsupport::readFile(victim), QByteArray("precious"));
    EXPECT_FALSE(QFileInfo(out + QStringLiteral("/0001.jpg")).isSymLink());
    EXPECT_EQ(testsupport::readFile(out + QStringLiteral("/0001.jpg")), testsupport::readFile(f.sources[0]));
}
