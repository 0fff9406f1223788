#include "loadsettingdlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CLoadSettingDlg::CLoadSettingDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CLoadSettingDlg"));
    setWindowTitle(QStringLiteral("登録設定"));
    auto *layout = new QVBoxLayout(this);
    m_modes = new QButtonGroup(this);
    const QString texts[] = {QStringLiteral("自動判別、彩度のある単色はカラー"),
                             QStringLiteral("自動判別、彩度のある単色はモノクロ"),
                             QStringLiteral("全てカラーとする"), QStringLiteral("全てモノクロとする")};
    for (int i = 0; i < 4; ++i) {
        auto *button = new QRadioButton(texts[i], this);
        m_modes->addButton(button, i);
        layout->addWidget(button);
    }
    m_modes->button(0)->setChecked(true);
    layout->addSpacing(8);
    layout->addWidget(new QLabel(QStringLiteral("自動判別は完璧ではありません。"), this));
    layout->addWidget(new QLabel(QStringLiteral("必ず画像リストで結果を確認してください。"), this));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

retoner::RegistrationMode CLoadSettingDlg::mode() const
{
    return static_cast<retoner::RegistrationMode>(std::max(0, m_modes->checkedId()));
}

void CLoadSettingDlg::setMode(retoner::RegistrationMode mode)
{
    m_modes->button(static_cast<int>(mode))->setChecked(true);
}
