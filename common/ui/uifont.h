#pragma once

#include <QStringList>

class QApplication;

namespace platform {

// The suite's Japanese UI font: "MS UI Gothic" where it is installed, else
// "Noto Sans CJK JP".
QStringList uiFontFamilies();

// Makes that font, at 9 points, the application's font.
void applyUiFont(QApplication &app);

} // namespace platform
