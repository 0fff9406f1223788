#pragma once

namespace leafreader {

// Command ids of the page view: the menu ids first, then the actions keys,
// mouse cells and the control pad reach without a menu item. A program's
// list screens add their own ids beside these; every user action goes
// through one onCommand(id). The ids sit in a namespace of their own so
// that a program can take them without the rest of the library's names.
namespace commandids {

enum Command : int {
    // The folder lists of the programs that show pages share these.
    CmdOpenRow = 32772,
    CmdExpandFolder = 32775,
    CmdUpFolder = 32776,
    CmdTopFolder = 32777,
    CmdSettings = 32780,

    CmdFullScreen = 32779,
    CmdExit = 32781,
    CmdCloseNoRegister = 32782,
    CmdCloseOverwrite = 32783,
    CmdCloseAdd = 32784,
    CmdNextPage = 32785,
    CmdPreviousPage = 32786,
    CmdSkipForward = 32787,
    CmdSkipBack = 32788,
    CmdFirstPage = 32789,
    CmdLastPage = 32790,
    CmdSinglePage = 32791,
    CmdZoomOff = 32795,
    CmdZoom1 = 32796, // regions 1..9 are CmdZoomOff + region
    CmdZoom9 = 32804,
    CmdSpread = 32816,
    CmdFileInfo = 32817,
    CmdAutoTurn = 32819,
    CmdRotate0 = 32822,
    CmdRotate1 = 32825,
    CmdRotate2 = 32827,
    CmdRotate3 = 32829,
    CmdAbout = 57664,

    CmdZoomUp = 40001,
    CmdZoomDown,
    CmdZoomLeft,
    CmdZoomRight,
    CmdZoomToggle,
    CmdRotationToggle,
    CmdSinglePageToggle,
    CmdEnterFullScreen, // Alt+Enter: only from the window
    CmdLeaveFullScreen, // Ctrl+3
    CmdControlPad,      // show or hide the control pad
    CmdHidePad,
};

constexpr int zoomCommand(int region) { return CmdZoomOff + region; }

} // namespace commandids

// What a key, pad button or header icon does on a list screen: a command, or
// a key handed to the list control (paging and arrows), or nothing.
struct ListAction {
    int command = 0;
    int listKey = 0;      // Qt::Key handed to the list control
    bool swallow = false; // taken without action (volume keys)
    bool isNothing() const { return command == 0 && listKey == 0 && !swallow; }
};

using namespace commandids;

} // namespace leafreader
