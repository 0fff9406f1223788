#include "settingdlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

CSettingDlg::CSettingDlg(const bindery::BinderySettings &settings, QWidget *parent)
    : QDialog(parent), m_settings(settings)
{
    setWindowTitle(tr("設定"));
    auto *layout = new QVBoxLayout(this);

    auto *nameForm = new QFormLayout;
    m_autoFileName = new QComboBox(this);
    m_autoFileName->setObjectName(QStringLiteral("autoFileName"));
    m_autoFileName->addItems(
        {tr("元のファイル名(新規は空白)"), tr("タイトル"), tr("年 タイトル"), tr("年月 タイトル"), tr("年月日 タイトル")});
    nameForm->addRow(tr("ファイル保存ダイアログの初期ファイル名"), m_autoFileName);
    layout->addLayout(nameForm);

    auto *asDoc = new QGroupBox(tr("フォルダ内画像を文書として開く"), this);
    auto *asDocLayout = new QFormLayout(asDoc);
    m_nameAsTitle = new QCheckBox(tr("フォルダ名をタイトルとする"), asDoc);
    m_nameTopAsDate = new QCheckBox(tr("頭の数値を出版日とする"), asDoc);
    m_parentNameAs = new QComboBox(asDoc);
    m_parentNameAs->addItems({tr("何もしない"), tr("著者とする"), tr("出版社とする"), tr("サークルとする")});
    asDocLayout->addRow(m_nameAsTitle);
    asDocLayout->addRow(m_nameTopAsDate);
    asDocLayout->addRow(tr("親フォルダ名"), m_parentNameAs);
    layout->addWidget(asDoc);

    auto *exportGroup = new QGroupBox(tr("Page画像の書き出し"), this);
    auto *exportLayout = new QFormLayout(exportGroup);
    m_prefix = new QLineEdit(exportGroup);
    m_prefix->setMaxLength(bindery::BinderySettings::kMaxPrefixChars);
    m_startNum = new QSpinBox(exportGroup);
    m_startNum->setRange(0, bindery::BinderySettings::kMaxStartNum);
    exportLayout->addRow(tr("ファイル名のプレフィックス"), m_prefix);
    exportLayout->addRow(tr("開始番号"), m_startNum);
    layout->addWidget(exportGroup);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    m_autoFileName->setCurrentIndex(std::clamp(settings.autoFileName, 0, 4));
    m_nameAsTitle->setChecked(settings.nameAsTitle);
    m_nameTopAsDate->setChecked(settings.nameTopAsDate);
    m_nameTopAsDate->setEnabled(settings.nameAsTitle);
    m_parentNameAs->setCurrentIndex(std::clamp(settings.parentNameAs, 0, 3));
    m_prefix->setText(settings.expPrefix.left(bindery::BinderySettings::kMaxPrefixChars));
    m_startNum->setValue(settings.expStartNum);
    connect(m_nameAsTitle, &QCheckBox::toggled, m_nameTopAsDate, &QWidget::setEnabled);
}

void CSettingDlg::accept()
{
    m_settings.autoFileName = std::clamp(m_autoFileName->currentIndex(), 0, 4);
    m_settings.nameAsTitle = m_nameAsTitle->isChecked();
    m_settings.nameTopAsDate = m_nameTopAsDate->isChecked();
    m_settings.parentNameAs = std::clamp(m_parentNameAs->currentIndex(), 0, 3);
    m_settings.expPrefix = m_prefix->text();
    m_settings.expStartNum = m_startNum->value();
    QDialog::accept();
}
