#pragma once

#include "listgeometry.h"
#include "listtexts.h"
#include "shelfpictures.h"

#include <QAbstractListModel>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QListView>
#include <QStyledItemDelegate>

#include <vector>

namespace leafreader {

// The tiles of one screen, as the list shows them. Book pictures are made
// when a tile is first painted, so listing a large folder does not wait for
// every thumbnail to be reduced.
class TileListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    struct Tile {
        TileText text;
        QByteArray thumbnail; // the row's 96000-byte thumbnail or empty
        // A book with a thumbnail not read yet: read when the tile is shown.
        QString thumbnailPath;
    };

    void setTiles(std::vector<Tile> tiles, QSize pictureSize);
    const Tile &tile(int row) const { return m_tiles[size_t(row)]; }
    // The tile's picture at the list's picture size (made once per listing).
    QImage picture(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    mutable std::vector<Tile> m_tiles;
    QSize m_pictureSize;
    mutable QHash<int, QImage> m_pictures;
    mutable QImage m_base[kTilePictureCount];
};

// Paints one tile: the picture at the left, the title in List-L and four
// lines in List-S beside it.
class TileDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void setMetrics(const TileMetrics &metrics, const QFont &large, const QFont &small);
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    TileMetrics m_metrics;
    QFont m_large, m_small;
};

// The list control of the list screens: single selection, tiles of a fixed
// size. It keeps the paging, Home, End and arrow keys and hands every other
// key, the extra mouse buttons and the context menu to its owner.
class MyListCtrl : public QListView {
    Q_OBJECT
public:
    explicit MyListCtrl(QWidget *parent = nullptr);
    void setTileSize(QSize tile);

signals:
    void keyForView(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat);
    void extraButton(Qt::MouseButton button);
    void contextMenuWanted(QPoint globalPos, bool fromKeyboard);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    // Tab switches screens here; it does not move the focus.
    bool focusNextPrevChild(bool next) override;
};

} // namespace leafreader
