#include "loadsettingdlg.h"

#include "settingwidgets.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

CLoadSettingDlg::CLoadSettingDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CLoadSettingDlg"));
    setWindowTitle(tr("登録設定"));
    auto *layout = new QVBoxLayout(this);
    m_modes = new QButtonGroup(this);
    const QString texts[] = {tr("自動判別、彩度のある単色はカラー"),
                             tr("自動判別、彩度のある単色はモノクロ"),
                             tr("全てカラーとする"), tr("全てモノクロとする")};
    for (int i = 0; i < 4; ++i) {
        auto *button = new QRadioButton(texts[i], this);
        m_modes->addButton(button, i);
        layout->addWidget(button);
    }
    m_modes->button(0)->setChecked(true);
    layout->addSpacing(8);
    layout->addWidget(new QLabel(tr("自動判別は完璧ではありません。"), this));
    layout->addWidget(new QLabel(tr("必ず画像リストで結果を確認してください。"), this));
    layout->addWidget(makeOkCancel(this));
}

retoner::RegistrationMode CLoadSettingDlg::mode() const
{
    return static_cast<retoner::RegistrationMode>(std::max(0, m_modes->checkedId()));
}

void CLoadSettingDlg::setMode(retoner::RegistrationMode mode)
{
    m_modes->button(static_cast<int>(mode))->setChecked(true);
}
