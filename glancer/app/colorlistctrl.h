#pragma once

#include "core/previewrow.h"
#include "core/sizetable.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTreeView>

#include <vector>

namespace glancer {

// The list's rows as a two-column table ("File", "Size").
class RowTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(const std::vector<PreviewRow> &rows);
    const PreviewRow *row(int index) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<PreviewRow> m_rows;
};

// Draws every row itself: dark blue rows with light text, the selected row in
// the system highlight, the icon 2 pixels from the left edge.
class RowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void setMetrics(const SizeMetrics &metrics, const QFont &font);
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    SizeMetrics m_metrics = SizeMetrics::forIndex(2);
    QFont m_font;
};

// The list control: moves its selection and scrolls with the arrows, Page Up,
// Page Down, Home and End, and hands every key to the view as well.
class CColorListCtrl : public QTreeView {
    Q_OBJECT
public:
    explicit CColorListCtrl(QWidget *parent = nullptr);

    RowTableModel *rowModel() const { return m_model; }
    // Fonts and icon size of a size index; the list is scrolled to its top
    // first and the current row made visible again.
    void applyMetrics(const SizeMetrics &metrics, const QFont &listFont, const QFont &headerFont);
    void setColumnWidths(int clientWidth);
    int current() const;
    void setCurrent(int row);

signals:
    void keyForView(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat);
    void rowOpened(int row);
    void contextMenuWanted(QPoint globalPos, bool fromKeyboard);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    RowTableModel *m_model;
    RowDelegate *m_delegate;
    SizeMetrics m_metrics = SizeMetrics::forIndex(2);
};

} // namespace glancer
