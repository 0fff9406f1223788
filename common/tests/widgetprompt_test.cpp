#include <ui/qttexts.h>
#include <ui/widgetprompt.h>

#include "testsupport.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

// A name typed without extension is written as NAME.kvb, so the question
// before replacing must be about NAME.kvb, not about NAME.
TEST(WidgetPrompt, SaveDialogAddsTheDefaultSuffixBeforeAskingToReplace)
{
    QTemporaryDir dir;
    ASSERT_TRUE(testsupport::writeFile(dir.filePath(QStringLiteral("old.kvb")), "book"));
    platform::WidgetPrompt prompt;
    prompt.setDefaultSuffix(QStringLiteral("kvb"));
    QString question;
    QTimer::singleShot(50, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("old"));
        QTimer::singleShot(50, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            question = box->text();
            box->button(QMessageBox::Yes)->click();
        });
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const QString chosen =
        prompt.saveFile({}, dir.filePath(QStringLiteral("new.kvb")), QStringLiteral("Books (*.kvb)"));
    EXPECT_EQ(chosen, dir.filePath(QStringLiteral("old.kvb")));
    EXPECT_TRUE(question.contains(QStringLiteral("old.kvb")));
}

namespace {

// Presses Enter in the message box once it is shown.
void pressEnterWhenShown()
{
    QTimer::singleShot(0, [] {
        QWidget *box = QApplication::activeModalWidget();
        ASSERT_NE(qobject_cast<QMessageBox *>(box), nullptr);
        QTest::keyClick(box, Qt::Key_Return);
    });
}

} // namespace

// A question whose safe answer is No or Cancel is not answered Yes or OK by Enter.
TEST(WidgetPromptTest, EnterAnswersTheSafeDefault)
{
    platform::WidgetPrompt prompt;
    pressEnterWhenShown();
    EXPECT_EQ(prompt.message(QStringLiteral("Discard?"), platform::PromptIcon::Question,
                             platform::PromptButtons::YesNoDefaultNo),
              platform::PromptAnswer::No);
    pressEnterWhenShown();
    EXPECT_EQ(prompt.message(QStringLiteral("Replace?"), platform::PromptIcon::Question,
                             platform::PromptButtons::OkCancelDefaultCancel),
              platform::PromptAnswer::Cancel);
}

// Qt's own button texts follow the UI language; the programs' own labels are
// set where they name one.
TEST(WidgetPrompt, QtsOwnButtonsSpeakTheUiLanguage)
{
    const auto buttonTexts = [] {
        QStringList texts;
        QTimer::singleShot(50, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            for (QAbstractButton *button : box->buttons())
                texts << button->text();
            box->button(QMessageBox::Cancel)->click();
        });
        platform::WidgetPrompt prompt;
        EXPECT_EQ(prompt.message(QStringLiteral("x"), platform::PromptIcon::Stop, platform::PromptButtons::RetryCancel),
                  platform::PromptAnswer::Cancel);
        texts.sort();
        return texts;
    };
    ASSERT_TRUE(ui::loadQtTexts(u"ja"));
    EXPECT_EQ(buttonTexts(), (QStringList{QStringLiteral("キャンセル"), QStringLiteral("再試行")}));
    EXPECT_TRUE(ui::loadQtTexts(u"en"));
    EXPECT_EQ(buttonTexts(), (QStringList{QStringLiteral("Cancel"), QStringLiteral("Retry")}));
}
