#include "ui/widgetprompt.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

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
