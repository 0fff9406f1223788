#pragma once

#include "core/commandline.h"

class QApplication;

// Start-up of the window: the UI font, the settings store "Retouch", the main
// dialog, the picture from the command line once the window is up, and
// "--screenshot FILE"; the settings are written back when the dialog closes.
int runWindow(QApplication &app, const retouch::CommandLine &line);

// "--apply": one line per picture on standard output ("path<TAB>ok" or the
// message); exit status 1 when any failed. The JPEG quality is --quality or
// the stored JQ.
int runApplyCommand(const retouch::CommandLine &line);
