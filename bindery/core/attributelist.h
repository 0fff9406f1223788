#pragma once

#include <book/bookrecords.h>

#include <QColor>
#include <QString>

#include <vector>

namespace bindery {

// The further attributes as the list dialog edits them: one row per entry,
// item and content columns, grey rows for authors, publishers and circles
// and white rows for user-defined items.
class AttributeListModel {
public:
    explicit AttributeListModel(kvb::AttributeList list = {}) : m_list(std::move(list)) {}

    const kvb::AttributeList &attributes() const { return m_list; }
    int rowCount() const { return int(m_list.size()); }
    uint8_t type(int row) const { return m_list[size_t(row)].type; }
    QString itemText(int row) const;
    QString contentText(int row) const;
    QColor background(int row) const;

    // "著者", "出版社", "サークル" for types 3 to 5, in the language in use:
    // a word shown, never stored.
    static QString itemWord(uint8_t type);
    static QColor rowColor(uint8_t type);

    void add(uint8_t type, const QString &item, const QString &content);
    void edit(int row, const QString &item, const QString &content);
    // Removes the given rows (any order).
    void remove(std::vector<int> rows);
    bool moveUp(int row);
    bool moveDown(int row);

    struct Buttons {
        bool edit = false;
        bool remove = false;
        bool up = false;
        bool down = false;
    };
    static Buttons buttons(const std::vector<int> &selectedRows, int rowCount);

private:
    kvb::AttributeList m_list;
};

// The add/edit dialog's checks on OK, in order: empty item, control character
// in the item, empty content, control character in the content.
struct AttributeInputCheck {
    bool ok = true;
    QString message;
    bool focusItem = false;
};
AttributeInputCheck checkAttributeInput(const QString &item, const QString &content);

// "ユーザー定義" or the item word, then "の編集" when opened with a content, else "の追加".
QString attributeDialogTitle(uint8_t type, const QString &item, bool editing);

} // namespace bindery
