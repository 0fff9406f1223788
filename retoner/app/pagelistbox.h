#pragma once

#include <ui/droplistbox.h>

#include <QStyledItemDelegate>

namespace retoner {
class ImageBatch;
}

// The image list: one item per registered image, owner-drawn with its
// thumbnail, its name and a "Color" or "Mono" label; extended selection.
// Takes dropped files and hands Delete and Ctrl+A to its owner as commands.
class CPageListBox : public CDropListBox {
    Q_OBJECT
public:
    explicit CPageListBox(const retoner::ImageBatch &batch, QWidget *parent = nullptr);

    const retoner::ImageBatch &batch() const { return m_batch; }
    // The list's client width less the scroll bar: the thumbnail box is 4/5
    // of it wide and as high as it.
    int clientWidth() const;
    QSize thumbnailBox() const;
    QList<int> selectedRows() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    const retoner::ImageBatch &m_batch;
};

class CPageItemDelegate : public QStyledItemDelegate {
public:
    explicit CPageItemDelegate(CPageListBox *list) : QStyledItemDelegate(list), m_list(list) {}
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // The "Color" and "Mono" labels (82 x 40), drawn once.
    static const QImage &label(bool isColor);

private:
    CPageListBox *m_list;
};
