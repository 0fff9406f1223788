#pragma once

#include "platform/prompt.h"

#include <QString>

class QWidget;

namespace ui {

// The prompt of a screenshot run: it records every message instead of
// waiting on it, and answers a question to retry with Cancel, so a missing
// folder cannot keep the run asking.
class ScreenshotPrompt : public platform::ScriptedPrompt {
public:
    platform::PromptAnswer message(const QString &text, platform::PromptIcon icon,
                                   platform::PromptButtons buttons, const QString &caption) override;
};

// Prints the messages the run would have shown, then writes the window to
// `file` as PNG once start-up has settled and ends the application (exit
// status 0 when the file was written).
void finishScreenshotRun(QWidget &window, const QString &file, const ScreenshotPrompt &prompt);

} // namespace ui
