#pragma once

#include "pageview/commands.h"

#include <Qt>

namespace leafreader {

// Command ids of the list screens (menu ids), beside the page view's and
// the folder list's.
enum ListCommand : int {
    CmdSwitchScreenKeep = 32773,
    CmdSwitchScreen = 32774,
    CmdDeleteResume = 32778,
};

// Keys of list mode (those the list control does not keep itself).
ListAction listKeyAction(int key, Qt::KeyboardModifiers modifiers, bool folderScreen);
// Control-pad buttons 0..20 in list mode.
ListAction listPadAction(int button, bool folderScreen);
// Header icons 0..5.
int headerIconCommand(int icon);

} // namespace leafreader
