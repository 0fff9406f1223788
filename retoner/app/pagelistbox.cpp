#include "pagelistbox.h"

#include "core/imagebatch.h"
#include "core/retonersession.h"

#include <platform/filenames.h>

#include <QPainter>
#include <QStyle>

namespace {

QImage drawLabel(const QString &text, const QColor &from, const QColor &to)
{
    QImage image(82, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ground(0, 0, 82, 0);
    ground.setColorAt(0, from);
    ground.setColorAt(1, to);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(ground);
    p.drawRoundedRect(QRectF(1, 1, 80, 38), 8, 8);
    QFont font = p.font();
    font.setPixelSize(22);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 82, 40), Qt::AlignCenter, text);
    return image;
}

} // namespace

CPageListBox::CPageListBox(const retoner::ImageBatch &batch, QWidget *parent)
    : CDropListBox(retoner::CmdDelete, retoner::CmdSelectAll, parent), m_batch(batch)
{
    setObjectName(QStringLiteral("imageList"));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setItemDelegate(new CPageItemDelegate(this));
}

int CPageListBox::clientWidth() const
{
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return std::max(16, width() - 2 * frameWidth() - bar);
}

QSize CPageListBox::thumbnailBox() const
{
    const int w = clientWidth();
    return {w * 4 / 5, w};
}

QList<int> CPageListBox::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedIndexes())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CPageListBox::resizeEvent(QResizeEvent *event)
{
    QListWidget::resizeEvent(event);
    doItemsLayout();
}

const QImage &CPageItemDelegate::label(bool isColor)
{
    static const QImage color = drawLabel(QStringLiteral("Color"), QColor(230, 60, 60), QColor(60, 90, 230));
    static const QImage mono = drawLabel(QStringLiteral("Mono"), QColor(40, 40, 40), QColor(170, 170, 170));
    return isColor ? color : mono;
}

QSize CPageItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    const int w = m_list->clientWidth();
    return {w, w + option.fontMetrics.height() + 6};
}

void CPageItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    QColor ground(200, 200, 200);
    if (selected)
        ground = m_list->hasFocus() ? QColor(80, 111, 240) : QColor(130, 159, 220);
    painter->save();
    painter->fillRect(r, ground);
    const int row = index.row();
    if (row < 0 || row >= m_list->batch().count()) {
        painter->restore();
        return;
    }
    const retoner::ImageEntry &entry = m_list->batch().entry(row);
    const QSize box = m_list->thumbnailBox();
    const QRect boxRect(r.left() + (r.width() - box.width()) / 2, r.top(), box.width(), box.height());
    if (!entry.thumbnail.isNull()) {
        const QImage scaled = entry.thumbnail.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        painter->drawImage(QPoint(boxRect.left() + (box.width() - scaled.width()) / 2,
                                  boxRect.top() + (box.height() - scaled.height()) / 2),
                           scaled);
    }
    const QImage &tag = label(entry.isColor != 0);
    const QSize tagSize(41, 20);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(QRect(QPoint(r.right() - tagSize.width() - 3, boxRect.bottom() - tagSize.height() - 3), tagSize),
                       tag);
    const QRect textRect(r.left() + 3, boxRect.bottom() + 2, r.width() - 6, r.bottom() - boxRect.bottom() - 2);
    painter->setPen(selected ? Qt::white : Qt::black);
    painter->drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine,
                      option.fontMetrics.elidedText(platform::shownName(entry.outputName), Qt::ElideMiddle, textRect.width()));
    drawItemFocus(*painter, option);
    painter->restore();
}
