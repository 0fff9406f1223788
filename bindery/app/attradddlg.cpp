#include "attradddlg.h"

#include "core/attributelist.h"

#include <book/bookrecords.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QComboBox *makeBox(QWidget *parent, int maxLength, const QStringList *history)
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->lineEdit()->setMaxLength(maxLength);
    if (history)
        box->addItems(*history);
    box->setMinimumWidth(320);
    return box;
}

} // namespace

CAttrAddDlg::CAttrAddDlg(platform::Prompt &prompt, uint8_t type, const QString &item, const QString &content,
                         const QStringList *itemHistory, const QStringList *contentHistory, QWidget *parent)
    : QDialog(parent), m_prompt(prompt)
{
    setWindowTitle(bindery::attributeDialogTitle(type, item, !content.isEmpty()));
    auto *layout = new QGridLayout(this);
    m_item = makeBox(this, kvb::kMaxItemNameChars, itemHistory);
    m_item->setObjectName(QStringLiteral("item"));
    m_content = makeBox(this, kvb::kMaxTextChars, contentHistory);
    m_content->setObjectName(QStringLiteral("content"));
    m_item->setEditText(item);
    m_content->setEditText(content);
    layout->addWidget(new QLabel(tr("項目"), this), 0, 0);
    layout->addWidget(m_item, 0, 1);
    layout->addWidget(new QLabel(tr("内容"), this), 1, 0);
    layout->addWidget(m_content, 1, 1);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons, 2, 0, 1, 2);
    if (type == kvb::UserDefined) {
        m_item->setFocus();
    } else {
        m_item->setEnabled(false);
        m_content->setFocus();
    }
}

void CAttrAddDlg::accept()
{
    const QString item = m_item->currentText().left(kvb::kMaxItemNameChars);
    const QString content = m_content->currentText().left(kvb::kMaxTextChars);
    const bindery::AttributeInputCheck check = bindery::checkAttributeInput(item, content);
    if (!check.ok) {
        m_prompt.message(check.message);
        (check.focusItem ? m_item : m_content)->setFocus();
        return;
    }
    m_itemText = item;
    m_contentText = content;
    QDialog::accept();
}
