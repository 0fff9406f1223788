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
