// The dialog in English: its controls, the log of a run in which one PDF
// fails and one goes through, the run's question and final message, and the
// About box show no Japanese. The files have plain names, so nothing is left
// to filter out.
#include "testfixtures.h"

#include "app/harvesterdlg.h"
#include "core/controlenabling.h"
#include "core/messages.h"
#include "englishtexts.h"
#include "visibletexts.h"

#include <QLineEdit>

#include <gtest/gtest.h>

using namespace harvester;
using harvestertest::Workspace;
using testsupport::containsJapanese;
using testsupport::japaneseTexts;

TEST(HarvesterEnglish, DialogLogMessagesAndAboutShowNoJapanese)
{
    const testsupport::EnglishTexts english(u"harvester");
    ASSERT_TRUE(english.loaded);

    Workspace ws;
    const QString img = ws.jpegFile(QStringLiteral("src/1.jpg"), 1);
    // a.pdf loses an image and fails: the question, the failure reasons and
    // the kept PDF are logged; b.pdf becomes a book.
    ws.fakePdf(QStringLiteral("pdfs/a.pdf"), {"image " + img, "lost " + img, "say Syntax Error: bad xref", "exit 3"});
    ws.fakePdf(QStringLiteral("pdfs/b.pdf"), {"image " + img});

    platform::ScriptedPrompt prompt;
    CHarvesterDlg dlg(prompt);
    dlg.setExtractor(harvestertest::fakeExtractor());
    dlg.show();
    qobject_cast<QLineEdit *>(dlg.control(IdTargetFolder))->setText(ws.path(QStringLiteral("pdfs")));
    qobject_cast<QLineEdit *>(dlg.control(IdWorkFolder))->setText(ws.folder(QStringLiteral("work")));
    dlg.onCommand(IdStart);
    ASSERT_TRUE(harvestertest::RunFixture::waitFor([&] { return !dlg.run().running(); }));

    EXPECT_EQ(dlg.run().summary().done, 1);
    const QStringList log = dlg.run().log().logText().split(u'\n');
    EXPECT_TRUE(log.contains(text::NoBookWrittenLog.text()));
    EXPECT_EQ(log.back(), (RunSummary{1, 1}.text()));
    EXPECT_EQ(testsupport::japaneseReport(&dlg), "");

    dlg.onCommand(CmdAbout);
    ASSERT_EQ(prompt.shown().size(), 3u);
    for (const auto &shown : prompt.shown()) {
        EXPECT_FALSE(containsJapanese(shown.text)) << shown.text.toStdString();
        EXPECT_FALSE(containsJapanese(shown.caption)) << shown.caption.toStdString();
    }
}
