#pragma once

#include <QStringList>

class QApplication;

namespace retoner {
struct RetonerOptions;
}

// The window's start-up: the Japanese UI font, the settings store
// "Retoner", the main dialog, the pictures of the command line once the
// window is up, and "--screenshot FILE".
int runRetonerWindow(QApplication &app, const retoner::RetonerOptions &options);
