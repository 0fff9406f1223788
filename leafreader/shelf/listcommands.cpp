#include "listcommands.h"

#include "listgeometry.h"

#include "pageview/mediakeys.h"

namespace leafreader {

ListAction listKeyAction(int key, Qt::KeyboardModifiers modifiers, bool folderScreen)
{
    const Qt::KeyboardModifiers mods = modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    const bool plain = !(mods & (Qt::ControlModifier | Qt::ShiftModifier));
    const bool ctrlOnly = mods == Qt::ControlModifier;
    ListAction a;
    switch (key) {
    case Qt::Key_Backspace:
        if (mods == Qt::ShiftModifier) {
            if (folderScreen)
                a.command = CmdUpFolder;
        } else if (plain) {
            a.command = CmdDeleteResume;
        }
        break;
    case Qt::Key_Tab:
        if (plain)
            a.command = CmdSwitchScreenKeep;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mods & Qt::AltModifier)
            a.command = CmdEnterFullScreen;
        else if (plain)
            a.command = CmdOpenRow;
        break;
    case Qt::Key_Escape:
        if (plain && folderScreen)
            a.command = CmdTopFolder;
        break;
    case Qt::Key_O:
        if (ctrlOnly)
            a.command = CmdSwitchScreen;
        break;
    case Qt::Key_F:
        if (ctrlOnly)
            a.command = CmdFullScreen;
        break;
    case Qt::Key_I:
        if (ctrlOnly)
            a.command = CmdFileInfo;
        break;
    case Qt::Key_3:
        if (ctrlOnly)
            a.command = CmdLeaveFullScreen;
        break;
    default:
        break;
    }
    switch (mediaKey(key)) {
    case MediaKey::Previous:
        if (folderScreen)
            a.command = CmdUpFolder;
        break;
    case MediaKey::PlayPause: a.command = CmdOpenRow; break;
    case MediaKey::Volume: a.swallow = true; break;
    case MediaKey::Next:
    case MediaKey::Stop:
    case MediaKey::None: break;
    }
    return a;
}

ListAction listPadAction(int button, bool folderScreen)
{
    ListAction a;
    switch (button) {
    case 0: a.command = CmdExit; break;
    case 2: a.command = CmdHidePad; break;
    case 3: if (folderScreen) a.command = CmdUpFolder; break;
    case 5: a.command = CmdFullScreen; break;
    case 6: case 15: a.listKey = Qt::Key_Left; break;
    case 7: case 17: a.listKey = Qt::Key_Right; break;
    case 8: a.listKey = Qt::Key_PageUp; break;
    case 9: case 16: a.command = CmdOpenRow; break;
    case 11: a.listKey = Qt::Key_PageDown; break;
    case 12: a.command = CmdSwitchScreenKeep; break;
    case 13: a.listKey = Qt::Key_Up; break;
    case 14: a.command = CmdDeleteResume; break;
    case 18: a.command = CmdSwitchScreen; break;
    case 19: a.listKey = Qt::Key_Down; break;
    case 20: if (folderScreen) a.command = CmdTopFolder; break;
    default: break;
    }
    return a;
}

int headerIconCommand(int icon)
{
    switch (icon) {
    case IconUpFolder: return CmdUpFolder;
    case IconSwitchScreen: return CmdSwitchScreen;
    case IconSwitchKeepSelection: return CmdSwitchScreenKeep;
    case IconFileInformation: return CmdFileInfo;
    case IconSettings: return CmdSettings;
    case IconCloseProgram: return CmdExit;
    default: return 0;
    }
}

} // namespace leafreader
