#include "shelflist.h"

#include "folderlisting.h"
#include "shelfpictures.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace leafreader {

namespace {

const QColor kTitleColour(209, 231, 255);
const QColor kLineColour(160, 189, 200);
const QColor kSelectionColour(40, 90, 150);

} // namespace

void TileListModel::setTiles(std::vector<Tile> tiles, QSize pictureSize)
{
    beginResetModel();
    m_tiles = std::move(tiles);
    m_pictureSize = pictureSize;
    m_pictures.clear();
    for (QImage &base : m_base)
        base = QImage();
    endResetModel();
}

QImage TileListModel::picture(int row) const
{
    if (row < 0 || row >= int(m_tiles.size()) || !m_pictureSize.isValid())
        return {};
    const Tile &t = m_tiles[size_t(row)];
    if (t.text.picture >= 0 && t.text.picture < kTilePictureCount) {
        QImage &base = m_base[t.text.picture];
        if (base.isNull())
            base = ShelfPictures::tileAt(t.text.picture, m_pictureSize);
        return base;
    }
    auto it = m_pictures.find(row);
    if (it == m_pictures.end() && !t.thumbnailPath.isEmpty()) {
        m_tiles[size_t(row)].thumbnail = readRowThumbnail(t.thumbnailPath);
        m_tiles[size_t(row)].thumbnailPath.clear();
    }
    if (it == m_pictures.end())
        it = m_pictures.insert(row, ShelfPictures::bookPicture(t.thumbnail, m_pictureSize,
                                                               t.text.resumeBadge));
    return *it;
}

int TileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_tiles.size());
}

QVariant TileListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_tiles.size()))
        return {};
    const TileText &t = m_tiles[size_t(index.row())].text;
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return t.title;
    return {};
}

void TileDelegate::setMetrics(const TileMetrics &metrics, const QFont &large, const QFont &small)
{
    m_metrics = metrics;
    m_large = large;
    m_small = small;
}

QSize TileDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return m_metrics.tile;
}

void TileDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const
{
    const auto *model = qobject_cast<const TileListModel *>(index.model());
    if (!model)
        return;
    const TileListModel::Tile &tile = model->tile(index.row());
    const QRect r = option.rect;
    painter->save();
    if (option.state & QStyle::State_Selected)
        painter->fillRect(r, kSelectionColour);
    const QSize pic = m_metrics.picture;
    const QImage image = model->picture(index.row());
    if (!image.isNull())
        painter->drawImage(QPoint(r.left(), r.top() + 1), image);

    const int textLeft = r.left() + pic.width() + 4;
    const int textWidth = r.right() - textLeft - 2;
    const int largeLine = m_metrics.listLarge + 2;
    const int smallLine = m_metrics.listSmall + 2;
    int y = r.top() + (r.height() - largeLine - 4 * smallLine) / 2;
    painter->setFont(m_large);
    painter->setPen(kTitleColour);
    const QFontMetrics large(m_large);
    painter->drawText(QRect(textLeft, y, textWidth, largeLine), Qt::AlignLeft | Qt::AlignVCenter,
                      large.elidedText(tile.text.title, Qt::ElideRight, textWidth));
    y += largeLine;
    painter->setFont(m_small);
    painter->setPen(kLineColour);
    const QFontMetrics small(m_small);
    for (const QString &line : tile.text.lines) {
        painter->drawText(QRect(textLeft, y, textWidth, smallLine), Qt::AlignLeft | Qt::AlignVCenter,
                          small.elidedText(line, Qt::ElideRight, textWidth));
        y += smallLine;
    }
    if (option.state & QStyle::State_HasFocus) {
        painter->setPen(QPen(kTitleColour, 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(r.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

MyListCtrl::MyListCtrl(QWidget *parent) : QListView(parent)
{
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::NoFrame);
    setSpacing(0);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::Text, QColor(209, 231, 255));
    setPalette(pal);
    setAutoFillBackground(true);
}

void MyListCtrl::setTileSize(QSize tile)
{
    setGridSize(tile);
    setIconSize(QSize(1, 1));
    verticalScrollBar()->setSingleStep(std::max(1, tile.height() / 4));
}

void MyListCtrl::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        QListView::keyPressEvent(event);
        return;
    default:
        emit keyForView(event->key(), event->modifiers(), event->isAutoRepeat());
        event->accept();
    }
}

void MyListCtrl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::BackButton || event->button() == Qt::ForwardButton) {
        emit extraButton(event->button());
        event->accept();
        return;
    }
    QListView::mousePressEvent(event);
}

void MyListCtrl::wheelEvent(QWheelEvent *event)
{
    // The wheel pages through the tiles as Page Up / Page Down do.
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    QKeyEvent key(QEvent::KeyPress, delta > 0 ? Qt::Key_PageUp : Qt::Key_PageDown, Qt::NoModifier);
    QListView::keyPressEvent(&key);
    event->accept();
}

void MyListCtrl::contextMenuEvent(QContextMenuEvent *event)
{
    emit contextMenuWanted(event->globalPos(), event->reason() == QContextMenuEvent::Keyboard);
    event->accept();
}

bool MyListCtrl::focusNextPrevChild(bool)
{
    return false;
}

} // namespace leafreader
