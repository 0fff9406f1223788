#include "commandmenu.h"

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

} // namespace leafreader
