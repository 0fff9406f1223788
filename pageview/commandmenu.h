#pragma once

#include "bookcontroller.h"

#include <QPoint>

#include <array>
#include <functional>
#include <span>

class QMenu;
class QWidget;

namespace leafreader {

// A menu item of a command: its id (0 = a separator), its label and the key
// hint shown after a tab (none when null). Labels are marked
// QT_TRANSLATE_NOOP("CommandMenu", ...) and shown translated in that context.
struct CommandItem {
    int id;
    const char *label;
    const char *key;
};

// The zoom submenu ("拡大表示"): no zoom, then regions 1..9 with the digit key
// of each.
std::span<const CommandItem> zoomMenuItems();

// The page moves of a page view's menu: next, previous, skip forward, skip
// back, first and last page.
std::span<const CommandItem> pageMoveMenuItems();

// A folder list's moves: into the selected folder, up one folder, to the top
// (the drive list).
std::span<const CommandItem> folderMenuItems();

// The end of a list screen's menu: full screen, the settings, the program's
// about item (`aboutLabel`, marked like every label) and exit, between
// separators.
std::array<CommandItem, 7> listMenuEnd(const char *aboutLabel);

// Adds the items to a menu, enabled and checked as `state` says; choosing
// one calls `command` with its id.
void addCommandItems(QMenu *menu, std::span<const CommandItem> items, const std::function<ItemState(int)> &state,
                     const std::function<void(int)> &command);

// Adds a submenu to a menu, its title marked and translated like the labels.
QMenu *addCommandSubmenu(QMenu *menu, const char *title);

// Shows a view's context menu at globalPos and deletes it afterwards;
// menuOpen is true while the menu is up, so the view's timers leave it alone.
void execViewMenu(QMenu *menu, QPoint globalPos, bool &menuOpen);

// Carries out a list screen's action: its key goes to the list control as if
// typed there, else its command to `command`.
void runListAction(const ListAction &action, QWidget *list, const std::function<void(int)> &command);

} // namespace leafreader
