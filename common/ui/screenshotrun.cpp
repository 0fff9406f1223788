#include "screenshotrun.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace ui {

platform::PromptAnswer ScreenshotPrompt::message(const QString &text, platform::PromptIcon icon,
                                                 platform::PromptButtons buttons, const QString &caption)
{
    const platform::PromptAnswer answer = ScriptedPrompt::message(text, icon, buttons, caption);
    return buttons == platform::PromptButtons::RetryCancel ? platform::PromptAnswer::Cancel : answer;
}

void finishScreenshotRun(QWidget &window, const QString &file, const ScreenshotPrompt &prompt)
{
    for (const QString &text : prompt.texts())
        std::fprintf(stderr, "%s\n", qPrintable(text));
    QWidget *target = &window;
    QTimer::singleShot(300, target, [target, file] {
        const bool ok = target->grab().save(file, "PNG");
        QApplication::exit(ok ? 0 : 1);
    });
}

} // namespace ui
