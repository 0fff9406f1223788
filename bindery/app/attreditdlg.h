#pragma once

#include "core/attributelist.h"

#include <platform/prompt.h>

#include <QDialog>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <map>

class QPushButton;

// A header as high as the list's font plus 2 pixels.
class CHeaderCtrlEx : public QHeaderView {
    Q_OBJECT
public:
    explicit CHeaderCtrlEx(QWidget *parent = nullptr) : QHeaderView(Qt::Horizontal, parent) {}
    // The height for a font height given as the platform states it: 0 counts
    // as 16, a negative (character) height h as (3 - 5h) / 4.
    static int heightForFont(int fontHeight);
    QSize sizeHint() const override;
};

// A report list whose rows carry a background and text colour per column;
// dotted lines separate the columns.
class CColorListCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CColorListCtrl(QWidget *parent = nullptr);
    void addRow(const QString &item, const QString &content, const QColor &background,
                const QColor &textColor = Qt::black);
    std::vector<int> selectedRows() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
};

// "その他の付加情報の編集": edits a copy of the further attributes.
class CAttrEditDlg : public QDialog {
    Q_OBJECT
public:
    struct Histories {
        const QStringList *authors = nullptr;
        const QStringList *publishers = nullptr;
        const QStringList *circles = nullptr;
        const QStringList *itemNames = nullptr;
        const QStringList *itemValues = nullptr;
    };

    CAttrEditDlg(platform::Prompt &prompt, kvb::AttributeList copy, Histories histories, QWidget *parent = nullptr);

    const kvb::AttributeList &attributes() const { return m_model.attributes(); }
    CColorListCtrl *list() const { return m_list; }

    enum ButtonId { AddAuthor = 1042, AddPublisher = 1043, AddCircle = 1044, AddUser = 1045, Edit = 1046,
                    Delete = 1008, Up = 1006, Down = 1007 };
    void onCommand(int id);
    QPushButton *button(int id) const;

protected:
    // Opens the small dialog; returns false when cancelled. Tests replace it.
    virtual bool askAttribute(uint8_t type, QString &item, QString &content);

private:
    void rebuild(int selectRow = -1);
    void updateButtons();
    void add(uint8_t type);
    void editSelected();

    platform::Prompt &m_prompt;
    bindery::AttributeListModel m_model;
    Histories m_histories;
    CColorListCtrl *m_list;
    std::map<int, QPushButton *> m_buttons;
};
