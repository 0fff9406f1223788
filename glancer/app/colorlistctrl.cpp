#include "colorlistctrl.h"

#include "glancerpictures.h"

#include "core/folderlisting.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace glancer {

namespace {

const QColor kRowBackground(0, 32, 64);
const QColor kRowText(128, 220, 242);

} // namespace

void RowTableModel::setRows(const std::vector<PreviewRow> &rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

const PreviewRow *RowTableModel::row(int index) const
{
    return index >= 0 && index < int(m_rows.size()) ? &m_rows[size_t(index)] : nullptr;
}

int RowTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RowTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant RowTableModel::data(const QModelIndex &index, int role) const
{
    const PreviewRow *r = row(index.row());
    if (!r || role != Qt::DisplayRole)
        return {};
    if (index.column() == 0)
        return rowLabel(*r);
    return r->kind == PreviewRow::Image ? sizeText(r->size) : QString();
}

QVariant RowTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? QStringLiteral("File") : QStringLiteral("Size");
}

void RowDelegate::setMetrics(const SizeMetrics &metrics, const QFont &font)
{
    m_metrics = metrics;
    m_font = font;
}

QSize RowDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return {m_metrics.iconSize + 8, m_metrics.rowHeight()};
}

void RowDelegate::paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette &palette = option.palette;
    p->save();
    p->fillRect(option.rect, selected ? palette.color(QPalette::Highlight) : kRowBackground);
    p->setPen(selected ? palette.color(QPalette::HighlightedText) : kRowText);
    p->setFont(m_font);
    QRect text = option.rect.adjusted(2, 0, -2, 0);
    if (index.column() == 0) {
        const auto *model = static_cast<const RowTableModel *>(index.model());
        if (const PreviewRow *row = model->row(index.row())) {
            const int icon = row->kind == PreviewRow::Drive    ? pictures::IconDrive
                             : row->kind == PreviewRow::Folder ? pictures::IconFolder
                                                               : pictures::IconImage;
            const int size = m_metrics.iconSize;
            const QRect iconRect(option.rect.left() + 2, option.rect.top() + (option.rect.height() - size) / 2,
                                 size, size);
            p->drawImage(iconRect, pictures::rowIcon(size, icon));
            text.setLeft(iconRect.right() + 5);
        }
    }
    const Qt::Alignment align = (index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
    const QString label = index.data().toString();
    p->drawText(text, int(align) | Qt::TextSingleLine, p->fontMetrics().elidedText(label, Qt::ElideRight, text.width()));
    if ((option.state & QStyle::State_HasFocus) && index.column() == 0) {
        p->setPen(QPen(palette.color(QPalette::HighlightedText), 1, Qt::DotLine));
        p->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
    p->restore();
}

CColorListCtrl::CColorListCtrl(QWidget *parent)
    : QTreeView(parent), m_model(new RowTableModel(this)), m_delegate(new RowDelegate(this))
{
    setModel(m_model);
    setItemDelegate(m_delegate);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionResizeMode(QHeaderView::Fixed);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, kRowBackground);
    colours.setColor(QPalette::Window, kRowBackground);
    setPalette(colours);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        emit rowOpened(index.row());
    });
}

void CColorListCtrl::applyMetrics(const SizeMetrics &metrics, const QFont &listFont, const QFont &headerFont)
{
    const int row = current();
    scrollToTop();
    m_metrics = metrics;
    m_delegate->setMetrics(metrics, listFont);
    setFont(listFont);
    header()->setFont(headerFont);
    setIconSize(QSize(metrics.iconSize, metrics.iconSize));
    // Uniform rows keep the height they first measured: ask again.
    reset();
    setColumnWidths(viewport()->width() + verticalScrollBar()->sizeHint().width());
    setCurrent(row);
}

void CColorListCtrl::setColumnWidths(int clientWidth)
{
    const ColumnWidths widths = ColumnWidths::compute(clientWidth, verticalScrollBar()->sizeHint().width(), m_metrics);
    setColumnWidth(0, widths.file);
    setColumnWidth(1, widths.size);
}

int CColorListCtrl::current() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void CColorListCtrl::setCurrent(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        clearSelection();
        setCurrentIndex(QModelIndex());
        return;
    }
    const QModelIndex index = m_model->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void CColorListCtrl::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        QTreeView::keyPressEvent(event);
        break;
    default:
        event->accept();
        break;
    }
    emit keyForView(event->key(), event->modifiers(), event->isAutoRepeat());
}

void CColorListCtrl::contextMenuEvent(QContextMenuEvent *event)
{
    emit contextMenuWanted(event->globalPos(), event->reason() == QContextMenuEvent::Keyboard);
}

void CColorListCtrl::resizeEvent(QResizeEvent *event)
{
    QTreeView::resizeEvent(event);
    setColumnWidths(width());
}

} // namespace glancer
