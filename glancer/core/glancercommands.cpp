#include "glancercommands.h"

#include "pageview/bookcontroller.h"
#include "pageview/zoomnav.h"

namespace glancer {

namespace {

// Keys both modes share: full screen and the volume keys.
int frameKeyCommand(int key, bool ctrl, bool shift)
{
    switch (key) {
    case Qt::Key_VolumeMute:
    case Qt::Key_VolumeDown:
    case Qt::Key_VolumeUp: return -1;
    default: break;
    }
    if (ctrl && !shift) {
        if (key == Qt::Key_F)
            return CmdFullScreen;
        if (key == Qt::Key_3)
            return CmdLeaveFullScreen;
    }
    return 0;
}

} // namespace

int previewKeyCommand(int key, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    // With Alt held the keys belong to the window (system keys).
    if (modifiers & Qt::AltModifier)
        return 0;
    if (const int frame = frameKeyCommand(key, ctrl, shift))
        return frame;
    switch (key) {
    case Qt::Key_MediaNext: return CmdLastPage;
    case Qt::Key_MediaPrevious: return CmdFirstPage;
    case Qt::Key_MediaStop:
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaPause:
    case Qt::Key_MediaTogglePlayPause: return CmdClosePreview;
    case Qt::Key_Home: return CmdFirstPage;
    case Qt::Key_End: return CmdLastPage;
    case Qt::Key_Up: return CmdZoomUp;
    case Qt::Key_Down: return CmdZoomDown;
    default: break;
    }
    if (ctrl && !shift) {
        switch (key) {
        case Qt::Key_C:
        case Qt::Key_S: return CmdClosePreview;
        case Qt::Key_N: return CmdNextPage;
        case Qt::Key_P: return CmdPreviousPage;
        case Qt::Key_O: return CmdBindingToggle;
        case Qt::Key_T: return CmdSkipForward;
        case Qt::Key_R: return CmdSkipBack;
        case Qt::Key_B: return CmdFirstPage;
        case Qt::Key_E: return CmdLastPage;
        default: return 0;
        }
    }
    if (ctrl || shift)
        return 0;
    switch (key) {
    case Qt::Key_Backspace: return CmdFileNames;
    case Qt::Key_Tab: return CmdLayoutCycle;
    case Qt::Key_Return:
    case Qt::Key_Enter: return CmdZoomToggle;
    case Qt::Key_Escape: return CmdClosePreview;
    case Qt::Key_PageUp: return CmdSkipBack;
    case Qt::Key_PageDown: return CmdSkipForward;
    case Qt::Key_Left: return CmdZoomLeft;
    case Qt::Key_Right: return CmdZoomRight;
    default: break;
    }
    // The digits of the main keyboard only, not those of the numeric pad.
    if (key >= Qt::Key_0 && key <= Qt::Key_9 && !(modifiers & Qt::KeypadModifier))
        return leafreader::zoomCommand(leafreader::keypadRegion(key - Qt::Key_0));
    return 0;
}

int listKeyCommand(int key, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    if (modifiers & Qt::AltModifier)
        return 0;
    if (const int frame = frameKeyCommand(key, ctrl, shift))
        return frame;
    switch (key) {
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaPause:
    case Qt::Key_MediaTogglePlayPause: return CmdOpenRow;
    case Qt::Key_Backspace: return shift && !ctrl ? CmdUpFolder : 0;
    default: break;
    }
    if (ctrl || shift)
        return 0;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return CmdOpenRow;
    case Qt::Key_Escape: return CmdTopFolder;
    default: return 0;
    }
}

int previewCellCommand(int cell, bool zoomed)
{
    switch (cell) {
    case 0: return CmdLayoutCycle;
    case 6: return CmdBindingToggle;
    case 8: return CmdFileNames;
    default: return leafreader::bookCellCommand(cell, zoomed);
    }
}

int previewPadCommand(int button)
{
    switch (button) {
    case 9:
    case 10:
    case 20: return CmdClosePreview;
    case 12: return CmdLayoutCycle;
    case 14: return CmdFileNames;
    case 18: return CmdBindingToggle;
    default: return leafreader::bookPadCommand(button);
    }
}

ListAction listPadAction(int button)
{
    switch (button) {
    case 0: return {CmdExit, 0};
    case 2: return {CmdHidePad, 0};
    case 3:
    case 15: return {CmdUpFolder, 0};
    case 5: return {CmdFullScreen, 0};
    case 8: return {0, Qt::Key_PageUp};
    case 9:
    case 16: return {CmdOpenRow, 0};
    case 11: return {0, Qt::Key_PageDown};
    case 13: return {0, Qt::Key_Up};
    case 19: return {0, Qt::Key_Down};
    case 20: return {CmdTopFolder, 0};
    default: return {};
    }
}

} // namespace glancer
