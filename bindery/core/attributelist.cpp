#include "attributelist.h"

#include "messages.h"

#include <platform/textcompare.h>

#include <QCoreApplication>

#include <algorithm>

namespace bindery {

QString AttributeListModel::itemWord(uint8_t type)
{
    switch (type) {
    case kvb::Author: return QCoreApplication::translate("BinderyAttributes", "著者");
    case kvb::Publisher: return QCoreApplication::translate("BinderyAttributes", "出版社");
    case kvb::Circle: return QCoreApplication::translate("BinderyAttributes", "サークル");
    default: return {};
    }
}

QColor AttributeListModel::rowColor(uint8_t type)
{
    return type == kvb::UserDefined ? QColor(255, 255, 255) : QColor(216, 216, 216);
}

QString AttributeListModel::itemText(int row) const
{
    const kvb::AttributeEntry &a = m_list[size_t(row)];
    return a.type == kvb::UserDefined ? a.name : itemWord(a.type);
}

QString AttributeListModel::contentText(int row) const
{
    return m_list[size_t(row)].text;
}

QColor AttributeListModel::background(int row) const
{
    return rowColor(m_list[size_t(row)].type);
}

void AttributeListModel::add(uint8_t type, const QString &item, const QString &content)
{
    kvb::AttributeEntry entry;
    entry.type = type;
    entry.text = content;
    if (type == kvb::UserDefined)
        entry.name = item;
    m_list.push_back(entry);
}

void AttributeListModel::edit(int row, const QString &item, const QString &content)
{
    kvb::AttributeEntry &entry = m_list[size_t(row)];
    entry.text = content;
    if (entry.type == kvb::UserDefined)
        entry.name = item;
}

void AttributeListModel::remove(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (*it >= 0 && *it < rowCount())
            m_list.erase(m_list.begin() + *it);
    }
}

bool AttributeListModel::moveUp(int row)
{
    if (row <= 0 || row >= rowCount())
        return false;
    std::swap(m_list[size_t(row)], m_list[size_t(row - 1)]);
    return true;
}

bool AttributeListModel::moveDown(int row)
{
    if (row < 0 || row + 1 >= rowCount())
        return false;
    std::swap(m_list[size_t(row)], m_list[size_t(row + 1)]);
    return true;
}

AttributeListModel::Buttons AttributeListModel::buttons(const std::vector<int> &selected, int rowCount)
{
    Buttons b;
    const bool one = selected.size() == 1;
    b.edit = one;
    b.remove = !selected.empty();
    b.up = one && selected.front() > 0;
    b.down = one && selected.front() < rowCount - 1;
    return b;
}

AttributeInputCheck checkAttributeInput(const QString &item, const QString &content)
{
    if (item.isEmpty())
        return {false, text::ItemEmpty, true};
    if (platform::hasControlCharacter(item))
        return {false, text::ItemControl, true};
    if (content.isEmpty())
        return {false, text::ContentEmpty, false};
    if (platform::hasControlCharacter(content))
        return {false, text::ContentControl, false};
    return {};
}

QString attributeDialogTitle(uint8_t type, const QString &item, bool editing)
{
    const QString head =
        type == kvb::UserDefined ? QCoreApplication::translate("BinderyAttributes", "ユーザー定義") : item;
    return editing ? QCoreApplication::translate("BinderyAttributes", "%1の編集").arg(head)
                   : QCoreApplication::translate("BinderyAttributes", "%1の追加").arg(head);
}

} // namespace bindery
