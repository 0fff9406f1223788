#include "commandmenu.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>

namespace leafreader {

std::span<const CommandItem> zoomMenuItems()
{
    static constexpr CommandItem kZoomItems[] = {
        {CmdZoomOff, QT_TRANSLATE_NOOP("CommandMenu", "拡大なし"), "0"},
        {CmdZoomOff + 1, QT_TRANSLATE_NOOP("CommandMenu", "２倍 - 上段左"), "7"},
        {CmdZoomOff + 2, QT_TRANSLATE_NOOP("CommandMenu", "２倍 - 上段中"), "8"},
        {CmdZoomOff + 3, QT_TRANSLATE_NOOP("CommandMenu", "２倍 - 上段右"), "9"},
        {CmdZoomOff + 4, QT_TRANSLATE_NOOP("CommandMenu", "２倍 - 中段左"), "4"},
        {CmdZoomOff + 5, QT_TRANSLATE_NOOP("CommandMenu", "２倍 - 中段中"), "5"},
        {CmdZoomOff + 6, QT_TRANSLATE_NOOP("CommandMenu", "２倍 - 中段右"), "6"},
        {CmdZoomOff + 7, QT_TRANSLATE_NOOP("CommandMenu", "２倍 - 下段左"), "1"},
        {CmdZoomOff + 8, QT_TRANSLATE_NOOP("CommandMenu", "２倍 - 下段中"), "2"},
        {CmdZoomOff + 9, QT_TRANSLATE_NOOP("CommandMenu", "２倍 - 下段右"), "3"},
    };
    return kZoomItems;
}

std::span<const CommandItem> pageMoveMenuItems()
{
    static constexpr CommandItem kMoves[] = {
        {CmdNextPage, QT_TRANSLATE_NOOP("CommandMenu", "次のページ"), "Ctrl+N"},
        {CmdPreviousPage, QT_TRANSLATE_NOOP("CommandMenu", "前のページ"), "Ctrl+P"},
        {CmdSkipForward, QT_TRANSLATE_NOOP("CommandMenu", "スキップ送り"), "PageDown"},
        {CmdSkipBack, QT_TRANSLATE_NOOP("CommandMenu", "スキップ戻り"), "PageUp"},
        {CmdFirstPage, QT_TRANSLATE_NOOP("CommandMenu", "先頭ページ"), "Home"},
        {CmdLastPage, QT_TRANSLATE_NOOP("CommandMenu", "最終ページ"), "End"},
    };
    return kMoves;
}

std::span<const CommandItem> folderMenuItems()
{
    static constexpr CommandItem kFolderMoves[] = {
        {CmdExpandFolder, QT_TRANSLATE_NOOP("CommandMenu", "Folderの展開"), "Enter"},
        {CmdUpFolder, QT_TRANSLATE_NOOP("CommandMenu", "上位Folderへ"), "Shift+Backspace"},
        {CmdTopFolder, QT_TRANSLATE_NOOP("CommandMenu", "最上位Folderへ"), "Esc"},
    };
    return kFolderMoves;
}

std::array<CommandItem, 7> listMenuEnd(const char *aboutLabel)
{
    return {{
        {0, nullptr, nullptr},
        {CmdFullScreen, QT_TRANSLATE_NOOP("CommandMenu", "Full Screen 切替"), "Ctrl+F"},
        {0, nullptr, nullptr},
        {CmdSettings, QT_TRANSLATE_NOOP("CommandMenu", "設定 ..."), nullptr},
        {CmdAbout, aboutLabel, nullptr},
        {0, nullptr, nullptr},
        {CmdExit, QT_TRANSLATE_NOOP("CommandMenu", "終了"), "Alt+F4"},
    }};
}

void addCommandItems(QMenu *menu, std::span<const CommandItem> items, const std::function<ItemState(int)> &state,
                     const std::function<void(int)> &command)
{
    for (const CommandItem &item : items) {
        if (item.id == 0) {
            menu->addSeparator();
            continue;
        }
        QString text = QCoreApplication::translate("CommandMenu", item.label);
        if (item.key)
            text += u'\t' + QString::fromUtf8(item.key);
        QAction *action = menu->addAction(text);
        action->setData(item.id);
        const ItemState s = state ? state(item.id) : ItemState();
        action->setEnabled(s.enabled);
        if (s.checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        const int id = item.id;
        QObject::connect(action, &QAction::triggered, menu, [command, id] {
            if (command)
                command(id);
        });
    }
}

QMenu *addCommandSubmenu(QMenu *menu, const char *title)
{
    return menu->addMenu(QCoreApplication::translate("CommandMenu", title));
}

void execViewMenu(QMenu *menu, QPoint globalPos, bool &menuOpen)
{
    menuOpen = true;
    menu->exec(globalPos);
    menuOpen = false;
    menu->deleteLater();
}

void runListAction(const ListAction &action, QWidget *list, const std::function<void(int)> &command)
{
    if (action.listKey) {
        QKeyEvent press(QEvent::KeyPress, action.listKey, Qt::NoModifier);
        QApplication::sendEvent(list, &press);
    } else if (action.command && command) {
        command(action.command);
    }
}

} // namespace leafreader
