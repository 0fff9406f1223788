// The window in English: with the English texts loaded, nothing the main
// window, its file menu, its dialogs and its messages show is Japanese
// except what the user typed.
#include "testfixtures.h"

#include "app/attradddlg.h"
#include "app/attreditdlg.h"
#include "app/binderydlg.h"
#include "app/pagelistbox.h"
#include "app/settingdlg.h"

#include <tests/visibletexts.h>
#include <tests/englishtexts.h>

#include <QAction>
#include <QComboBox>

#include <gtest/gtest.h>

using namespace bindery;
using testsupport::containsJapanese;
using testsupport::japaneseTexts;

TEST(BinderyEnglish, WindowMenuDialogsAndMessagesShowNoJapaneseButTheUsersOwn)
{
    const testsupport::EnglishTexts english(u"bindery");
    ASSERT_TRUE(english.loaded);
    binderytest::Workspace ws;
    platform::ScriptedPrompt prompt;
    CBinderyDlg dlg(prompt);
    dlg.show();
    QStringList found = japaneseTexts(&dlg);

    // A book open, a Japanese title typed and saved: the title's history
    // now offers it, which is the user's own text.
    prompt.planFiles({binderytest::tinyPagesBook(ws, 3)});
    dlg.onCommand(CmdOpenBook);
    ASSERT_EQ(dlg.pageList()->count(), 3);
    const QString title = QStringLiteral("夜の本");
    qobject_cast<QComboBox *>(dlg.control(1049))->setEditText(title);
    dlg.onCommand(CmdSave);
    dlg.updateFileMenu();
    for (const QString &text : japaneseTexts(&dlg))
        if (!text.endsWith(QStringLiteral(" item: ") + title))
            found << text;

    CSettingDlg settings(dlg.editor().settings(), &dlg);
    found << japaneseTexts(&settings);
    kvb::AttributeList attributes(2);
    attributes[0].type = kvb::Author;
    attributes[0].text = QStringLiteral("A");
    attributes[1].type = kvb::UserDefined;
    attributes[1].name = QStringLiteral("ISBN");
    CAttrEditDlg attributeList(prompt, attributes, {}, &dlg);
    found << japaneseTexts(&attributeList);
    EXPECT_EQ(attributeList.list()->topLevelItem(0)->text(0), QStringLiteral("Author"));
    CAttrAddDlg add(prompt, kvb::Author, AttributeListModel::itemWord(kvb::Author), {}, nullptr, nullptr, &dlg);
    EXPECT_EQ(add.windowTitle(), QStringLiteral("Add Author"));
    EXPECT_TRUE(found.isEmpty()) << found.join(u'\n').toStdString();

    // Messages and file dialogs: the about box, a folder to pick, the
    // question before closing an edited book.
    for (QAction *action : dlg.actions())
        action->trigger();
    dlg.onCommand(CmdAddFolderImages);
    qobject_cast<QComboBox *>(dlg.control(1049))->setEditText(QStringLiteral("x"));
    prompt.planAnswer(platform::PromptAnswer::Cancel);
    dlg.reject();
    ASSERT_GE(prompt.shown().size(), 3u);
    ASSERT_FALSE(prompt.dialogs().empty());
    for (const auto &shown : prompt.shown())
        EXPECT_FALSE(containsJapanese(shown.text + shown.caption)) << shown.text.toStdString();
    for (const auto &dialog : prompt.dialogs())
        EXPECT_FALSE(containsJapanese(dialog.caption)) << dialog.caption.toStdString();
}
