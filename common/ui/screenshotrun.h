#pragma once

#include <QString>

class QWidget;

namespace ui {

// Writes the window to `file` as PNG once start-up has settled and ends the
// application (exit status 0 when the file was written). The run's messages
// go through platform::UnattendedPrompt, which answers them at once.
void finishScreenshotRun(QWidget &window, const QString &file);

} // namespace ui
