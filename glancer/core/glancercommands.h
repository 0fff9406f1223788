#pragma once

#include "pageview/commands.h"

#include <Qt>

namespace glancer {

using namespace leafreader::commandids;
using leafreader::ListAction;

// Glancer's own command ids (menu ids), beside the page view's and the
// folder list's: closing the preview, layouts, bindings and the file-name
// popup; then the actions keys, clicks and the pad reach without a menu item.
enum GlancerCommand : int {
    CmdClosePreview = 32782,
    CmdLayout1 = 32791,
    CmdLayout2 = 32792,
    CmdLayout3 = 32793,
    CmdBindRight = 32806,
    CmdBindLeft = 32807,
    CmdFileNames = 32808,

    CmdLayoutCycle = 41001,
    CmdBindingToggle,
};

// Keys of preview mode and of list mode as commands: 0 = not one of
// Glancer's keys (default handling), -1 = swallowed without action (volume).
int previewKeyCommand(int key, Qt::KeyboardModifiers modifiers);
int listKeyCommand(int key, Qt::KeyboardModifiers modifiers);
// A left click on a cell (0..8) of the 3 x 3 grid in preview mode.
int previewCellCommand(int cell, bool zoomed);
// Control-pad buttons 0..20.
int previewPadCommand(int button);
ListAction listPadAction(int button);

} // namespace glancer
