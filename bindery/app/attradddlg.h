#pragma once

#include <platform/prompt.h>

#include <QDialog>
#include <QStringList>

class QComboBox;

// Adds or changes one further attribute: an item (at most 16 characters,
// fixed for authors, publishers and circles) and its content (at most 127).
class CAttrAddDlg : public QDialog {
    Q_OBJECT
public:
    CAttrAddDlg(platform::Prompt &prompt, uint8_t type, const QString &item, const QString &content,
                const QStringList *itemHistory, const QStringList *contentHistory, QWidget *parent = nullptr);

    QString item() const { return m_itemText; }
    QString content() const { return m_contentText; }
    QComboBox *itemBox() const { return m_item; }
    QComboBox *contentBox() const { return m_content; }

    void accept() override;

private:
    platform::Prompt &m_prompt;
    QComboBox *m_item;
    QComboBox *m_content;
    QString m_itemText;
    QString m_contentText;
};
