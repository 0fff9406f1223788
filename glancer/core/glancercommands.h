#pragma once

#include "pageview/commands.h"

#include <Qt>

namespace glancer {

using namespace leafreader::commandids;

// Glancer's own command ids (menu ids), beside the page view's: the list
// commands, layouts, bindings and the file-name popup; then the actions keys,
// clicks and the pad reach without a menu item.
enum GlancerCommand : int {
    CmdOpenRow = 32772,
    CmdExpandFolder = 32775,
    CmdUpFolder = 32776,
    CmdTopFolder = 32777,
    CmdSettings = 32780,
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

// What a key or pad button does in list mode: a command, or a key handed to
// the list (paging and arrows).
struct ListAction {
    int command = 0;
    int listKey = 0;
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
