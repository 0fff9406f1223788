#pragma once

#include <QListWidget>

class QPainter;
class QStyleOptionViewItem;

// A list box that takes dropped files (their local paths, files and folders
// alike, in the order the platform reports them) and hands Delete (without
// Ctrl and Shift) and Ctrl+A (without Shift) to its owner as commands; other
// keys keep their list box meaning.
class CDropListBox : public QListWidget {
    Q_OBJECT
public:
    CDropListBox(int deleteCommand, int selectAllCommand, QWidget *parent = nullptr);

signals:
    void filesDropped(const QStringList &paths);
    void commandRequested(int id);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    int m_deleteCommand;
    int m_selectAllCommand;
};

// The dotted focus frame of an owner-drawn item: white on a selected item,
// black otherwise; nothing when the item has no focus.
void drawItemFocus(QPainter &painter, const QStyleOptionViewItem &option);
