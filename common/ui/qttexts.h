#pragma once

#include <QStringView>

namespace ui {

// Puts Qt's own texts (standard buttons of message boxes and dialogs, file
// dialogs, the context menus of text fields) into the UI language, so they
// match the programs' texts: "ja" loads Qt's Japanese translation, "en" keeps
// Qt's English. Called once at start by every window program; a later call
// replaces the language. False when the translation is not installed (Qt's
// English texts stay).
bool loadQtTexts(QStringView language = u"ja");

} // namespace ui
