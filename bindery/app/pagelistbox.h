#pragma once

#include <ui/droplistbox.h>

#include <QStyledItemDelegate>

// The page list: one square item per page, its thumbnail on a coloured
// ground with the page number at the bottom. Takes dropped files and hands
// Delete and Ctrl+A to its owner as commands.
class CPageListBox : public CDropListBox {
    Q_OBJECT
public:
    enum { ThumbnailRole = Qt::UserRole + 1 };

    explicit CPageListBox(QWidget *parent = nullptr);

    // The side of the square items: the list's width without a vertical scroll bar.
    int itemSide() const;
    // The largest thumbnail: itemSide high, four fifths of it wide.
    QSize thumbnailBox() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
};

class CPageItemDelegate : public QStyledItemDelegate {
public:
    explicit CPageItemDelegate(CPageListBox *list) : QStyledItemDelegate(list), m_list(list) {}
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    CPageListBox *m_list;
};
