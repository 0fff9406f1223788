#include "attreditdlg.h"

#include "attradddlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

enum { BackgroundRole0 = Qt::UserRole + 10, TextColorRole0 = Qt::UserRole + 20 };

// Fills each cell with its stored colours, or draws the selection colours.
class ColorCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        QColor ground = index.data(Qt::BackgroundRole).value<QColor>();
        QColor ink = index.data(Qt::ForegroundRole).value<QColor>();
        if (!ground.isValid())
            ground = Qt::white;
        if (!ink.isValid())
            ink = Qt::black;
        if (selected) {
            ground = option.palette.color(QPalette::Highlight);
            ink = option.palette.color(QPalette::HighlightedText);
        }
        painter->fillRect(option.rect, ground);
        painter->setPen(ink);
        painter->drawText(option.rect.adjusted(4, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        QPen line(option.palette.color(QPalette::WindowText));
        line.setStyle(Qt::DotLine);
        painter->setPen(line);
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        if (selected && (option.state & QStyle::State_HasFocus) && index.column() == 0) {
            QPen focus(ink);
            focus.setStyle(Qt::DotLine);
            painter->setPen(focus);
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }
};

} // namespace

int CHeaderCtrlEx::heightForFont(int fontHeight)
{
    if (fontHeight == 0)
        return 16 + 2;
    if (fontHeight < 0)
        return (3 - 5 * fontHeight) / 4 + 2;
    return fontHeight + 2;
}

QSize CHeaderCtrlEx::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    const QWidget *list = parentWidget() ? parentWidget() : this;
    const int pixels = QFontInfo(list->font()).pixelSize();
    size.setHeight(heightForFont(-pixels));
    return size;
}

CColorListCtrl::CColorListCtrl(QWidget *parent) : QTreeWidget(parent)
{
    setHeader(new CHeaderCtrlEx(this));
    setColumnCount(2);
    setHeaderLabels({tr("項目"), tr("内容")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setAllColumnsShowFocus(true);
    setItemDelegate(new ColorCellDelegate(this));
    header()->setStretchLastSection(false);
}

void CColorListCtrl::addRow(const QString &item, const QString &content, const QColor &background,
                            const QColor &textColor)
{
    auto *row = new QTreeWidgetItem(this, QStringList{item, content});
    for (int c = 0; c < 2; ++c) {
        row->setData(c, Qt::BackgroundRole, background);
        row->setData(c, Qt::ForegroundRole, textColor);
    }
}

void CColorListCtrl::resizeEvent(QResizeEvent *event)
{
    QTreeWidget::resizeEvent(event);
    // A third of the client width without a vertical scroll bar for the
    // item column, the rest for the content.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int width = std::max(0, this->width() - 2 * frameWidth() - bar);
    setColumnWidth(0, width / 3);
    setColumnWidth(1, width - width / 3);
}

std::vector<int> CColorListCtrl::selectedRows() const
{
    std::vector<int> rows;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (topLevelItem(i)->isSelected())
            rows.push_back(i);
    }
    return rows;
}

CAttrEditDlg::CAttrEditDlg(platform::Prompt &prompt, kvb::AttributeList copy, Histories histories, QWidget *parent)
    : QDialog(parent), m_prompt(prompt), m_model(std::move(copy)), m_histories(histories)
{
    setWindowTitle(tr("その他の付加情報の編集"));
    resize(560, 360);
    auto *layout = new QGridLayout(this);
    m_list = new CColorListCtrl(this);
    m_list->setObjectName(QStringLiteral("attributeList"));
    layout->addWidget(m_list, 0, 0, 12, 1);
    struct Def {
        int id;
        const char *text;
    };
    const Def defs[] = {
        {AddAuthor, QT_TRANSLATE_NOOP("CAttrEditDlg", "著者の追加...")},
        {AddPublisher, QT_TRANSLATE_NOOP("CAttrEditDlg", "出版社の追加...")},
        {AddCircle, QT_TRANSLATE_NOOP("CAttrEditDlg", "サークルの追加...")},
        {AddUser, QT_TRANSLATE_NOOP("CAttrEditDlg", "ユーザー定義の追加...")},
        {Edit, QT_TRANSLATE_NOOP("CAttrEditDlg", "編集...")},
        {Delete, QT_TRANSLATE_NOOP("CAttrEditDlg", "削除")},
        {Up, QT_TRANSLATE_NOOP("CAttrEditDlg", "上へ")},
        {Down, QT_TRANSLATE_NOOP("CAttrEditDlg", "下へ")},
    };
    int row = 0;
    for (const Def &d : defs) {
        auto *b = new QPushButton(tr(d.text), this);
        b->setAutoDefault(false);
        m_buttons[d.id] = b;
        layout->addWidget(b, row++, 1);
        if (d.id == AddUser || d.id == Delete)
            layout->setRowMinimumHeight(row++, 8);
        const int id = d.id;
        connect(b, &QPushButton::clicked, this, [this, id] { onCommand(id); });
    }
    layout->setRowStretch(row, 1);
    auto *buttons = new QDialogButtonBox(Qt::Vertical, this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons, row + 1, 1);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CAttrEditDlg::updateButtons);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { onCommand(Edit); });
    rebuild();
}

QPushButton *CAttrEditDlg::button(int id) const
{
    const auto it = m_buttons.find(id);
    return it == m_buttons.end() ? nullptr : it->second;
}

void CAttrEditDlg::rebuild(int selectRow)
{
    m_list->clear();
    for (int i = 0; i < m_model.rowCount(); ++i)
        m_list->addRow(m_model.itemText(i), m_model.contentText(i), m_model.background(i));
    if (selectRow >= 0 && selectRow < m_model.rowCount()) {
        QTreeWidgetItem *item = m_list->topLevelItem(selectRow);
        m_list->setCurrentItem(item);
        item->setSelected(true);
        m_list->setFocus();
    }
    updateButtons();
}

void CAttrEditDlg::updateButtons()
{
    const auto b = bindery::AttributeListModel::buttons(m_list->selectedRows(), m_model.rowCount());
    m_buttons[Edit]->setEnabled(b.edit);
    m_buttons[Delete]->setEnabled(b.remove);
    m_buttons[Up]->setEnabled(b.up);
    m_buttons[Down]->setEnabled(b.down);
}

bool CAttrEditDlg::askAttribute(uint8_t type, QString &item, QString &content)
{
    const QStringList *contentHistory = type == kvb::Author      ? m_histories.authors
                                        : type == kvb::Publisher ? m_histories.publishers
                                        : type == kvb::Circle    ? m_histories.circles
                                                                 : m_histories.itemValues;
    const QStringList *itemHistory = type == kvb::UserDefined ? m_histories.itemNames : nullptr;
    CAttrAddDlg dlg(m_prompt, type, item, content, itemHistory, contentHistory, this);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    item = dlg.item();
    content = dlg.content();
    return true;
}

void CAttrEditDlg::add(uint8_t type)
{
    QString item = type == kvb::UserDefined ? QString() : bindery::AttributeListModel::itemWord(type);
    QString content;
    if (!askAttribute(type, item, content))
        return;
    m_model.add(type, item, content);
    rebuild();
}

void CAttrEditDlg::editSelected()
{
    const std::vector<int> rows = m_list->selectedRows();
    if (rows.size() != 1)
        return;
    const int row = rows.front();
    QString item = m_model.itemText(row);
    QString content = m_model.contentText(row);
    if (!askAttribute(m_model.type(row), item, content))
        return;
    m_model.edit(row, item, content);
    rebuild(row);
}

void CAttrEditDlg::onCommand(int id)
{
    const std::vector<int> rows = m_list->selectedRows();
    switch (id) {
    case AddAuthor: add(kvb::Author); break;
    case AddPublisher: add(kvb::Publisher); break;
    case AddCircle: add(kvb::Circle); break;
    case AddUser: add(kvb::UserDefined); break;
    case Edit: editSelected(); break;
    case Delete:
        if (!rows.empty()) {
            m_model.remove(rows);
            rebuild();
        }
        break;
    case Up:
        if (rows.size() == 1 && m_model.moveUp(rows.front()))
            rebuild(rows.front() - 1);
        break;
    case Down:
        if (rows.size() == 1 && m_model.moveDown(rows.front()))
            rebuild(rows.front() + 1);
        break;
    default: break;
    }
}
