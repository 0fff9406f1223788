// The window in English: with the English texts loaded and a picture open,
// nothing the dialog, its menu, the quality dialog and the prompts show is
// Japanese.
#include "app/jpegqdlg.h"
#include "app/retouchdlg.h"

#include "testimages.h"

#include <tests/visibletexts.h>
#include <tests/englishtexts.h>

#include <QAction>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace retouch;
using testsupport::containsJapanese;
using testsupport::japaneseTexts;

TEST(RetouchEnglish, WindowMenuQualityDialogAndPromptsShowNoJapanese)
{
    const testsupport::EnglishTexts english(u"retouch");
    ASSERT_TRUE(english.loaded);
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("page.png"));
    ASSERT_TRUE(retouchtest::writePicture(page, retouchtest::gradient(120, 90)));
    platform::ScriptedPrompt prompt;
    CRetouchDlg dialog(prompt);
    dialog.show();
    dialog.openFile(page);
    ASSERT_TRUE(dialog.editor().hasImage());
    QStringList found = japaneseTexts(&dialog);
    // The display switch names the other picture.
    dialog.onCommand(CmdDisplaySwitch);
    found << japaneseTexts(&dialog);
    CJPEG_Q_Dlg quality(95, &dialog);
    found << japaneseTexts(&quality);

    // The right-click menu's offsets dialogs and about box, the file dialogs.
    for (QAction *action : dialog.actions())
        action->trigger();
    dialog.onCommand(CmdOpen);
    dialog.onCommand(CmdSaveAs);
    ASSERT_EQ(prompt.shown().size(), 1u);
    ASSERT_EQ(prompt.dialogs().size(), 4u);
    found << prompt.shown()[0].caption;
    for (const auto &shown : prompt.dialogs())
        found << shown.caption;
    found.removeIf([](const QString &text) { return !containsJapanese(text); });
    EXPECT_TRUE(found.isEmpty()) << found.join(u'\n').toStdString();
}
