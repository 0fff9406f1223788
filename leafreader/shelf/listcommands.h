#pragma once

#include "pageview/commands.h"

#include <Qt>

namespace leafreader {

// Command ids of the list screens (menu ids), beside the page view's.
enum ListCommand : int {
    CmdOpenRow = 32772,
    CmdSwitchScreenKeep = 32773,
    CmdSwitchScreen = 32774,
    CmdExpandFolder = 32775,
    CmdUpFolder = 32776,
    CmdTopFolder = 32777,
    CmdDeleteResume = 32778,
    CmdSettings = 32780,
};

// What a key, pad button or header icon does in list mode: a command, or a
// key handed to the list (paging and arrows), or nothing.
struct ListAction {
    int command = 0;
    int listKey = 0; // Qt::Key handed to the list control
    bool swallow = false; // taken without action (volume keys)
    bool isNothing() const { return command == 0 && listKey == 0 && !swallow; }
};

// Keys of list mode (those the list control does not keep itself).
ListAction listKeyAction(int key, Qt::KeyboardModifiers modifiers, bool folderScreen);
// Control-pad buttons 0..20 in list mode.
ListAction listPadAction(int button, bool folderScreen);
// Header icons 0..5.
int headerIconCommand(int icon);

} // namespace leafreader
