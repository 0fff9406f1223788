#pragma once

#include "pageview/commands.h"

#include <Qt>

namespace leafreader {

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
