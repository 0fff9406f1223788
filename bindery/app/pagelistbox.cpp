#include "pagelistbox.h"

#include "core/binderyeditor.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyle>

CPageListBox::CPageListBox(QWidget *parent) : CDropListBox(bindery::CmdDelete, bindery::CmdSelectAll, parent)
{
    setObjectName(QStringLiteral("pageList"));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setItemDelegate(new CPageItemDelegate(this));
    QPalette p = palette();
    p.setColor(QPalette::Base, QColor(128, 128, 128));
    setPalette(p);
}

int CPageListBox::itemSide() const
{
    const int frame = 2 * frameWidth();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return std::max(16, width() - frame - bar);
}

QSize CPageListBox::thumbnailBox() const
{
    const int h = itemSide();
    return {h * 4 / 5, h};
}

void CPageListBox::resizeEvent(QResizeEvent *event)
{
    QListWidget::resizeEvent(event);
    doItemsLayout();
}

QSize CPageItemDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    const int side = m_list->itemSide();
    return {side, side};
}

void CPageItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const bool focused = m_list->hasFocus();
    QColor ground(200, 200, 200);
    if (selected)
        ground = focused ? QColor(80, 110, 240) : QColor(130, 160, 220);
    painter->save();
    painter->fillRect(r, ground);
    painter->setPen(selected ? Qt::white : Qt::black);
    painter->drawText(r, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine, QString::number(index.row() + 1));
    const QImage thumb = index.data(CPageListBox::ThumbnailRole).value<QImage>();
    if (!thumb.isNull()) {
        const int side = r.height();
        painter->drawImage(QPoint(r.left() + (r.width() - thumb.width()) / 2, r.top() + (side - thumb.height()) / 2),
                           thumb);
    }
    drawItemFocus(*painter, option);
    painter->restore();
}
