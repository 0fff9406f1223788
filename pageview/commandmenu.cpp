#include "commandmenu.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

namespace leafreader {

std::span<const CommandItem> zoomMenuItems()
{
    static constexpr CommandItem kZoomItems[] = {
        {CmdZoomOff, u"拡大なし", u"0"},
        {CmdZoomOff + 1, u"２倍 - 上段左", u"7"},
        {CmdZoomOff + 2, u"２倍 - 上段中", u"8"},
        {CmdZoomOff + 3, u"２倍 - 上段右", u"9"},
        {CmdZoomOff + 4, u"２倍 - 中段左", u"4"},
        {CmdZoomOff + 5, u"２倍 - 中段中", u"5"},
        {CmdZoomOff + 6, u"２倍 - 中段右", u"6"},
        {CmdZoomOff + 7, u"２倍 - 下段左", u"1"},
        {CmdZoomOff + 8, u"２倍 - 下段中", u"2"},
        {CmdZoomOff + 9, u"２倍 - 下段右", u"3"},
    };
    return kZoomItems;
}

std::span<const CommandItem> pageMoveMenuItems()
{
    static constexpr CommandItem kMoves[] = {
        {CmdNextPage, u"次のページ", u"Ctrl+N"},
        {CmdPreviousPage, u"前のページ", u"Ctrl+P"},
        {CmdSkipForward, u"スキップ送り", u"PageDown"},
        {CmdSkipBack, u"スキップ戻り", u"PageUp"},
        {CmdFirstPage, u"先頭ページ", u"Home"},
        {CmdLastPage, u"最終ページ", u"End"},
    };
    return kMoves;
}

std::span<const CommandItem> folderMenuItems()
{
    static constexpr CommandItem kFolderMoves[] = {
        {CmdExpandFolder, u"Folderの展開", u"Enter"},
        {CmdUpFolder, u"上位Folderへ", u"Shift+Backspace"},
        {CmdTopFolder, u"最上位Folderへ", u"Esc"},
    };
    return kFolderMoves;
}

std::array<CommandItem, 7> listMenuEnd(const char16_t *aboutLabel)
{
    return {{
        {0, nullptr, nullptr},
        {CmdFullScreen, u"Full Screen 切替", u"Ctrl+F"},
        {0, nullptr, nullptr},
        {CmdSettings, u"設定 ...", nullptr},
        {CmdAbout, aboutLabel, nullptr},
        {0, nullptr, nullptr},
        {CmdExit, u"終了", u"Alt+F4"},
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
        QString text = QString::fromUtf16(item.label);
        if (item.key)
            text += u'\t' + QString::fromUtf16(item.key);
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
