#include "settingwidgets.h"

#include <platform/prompt.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

QComboBox *makeKernelCombo(QWidget *parent, int index)
{
    auto *combo = new QComboBox(parent);
    combo->addItems({QCoreApplication::translate("SettingWidgets", "なし"), QStringLiteral("3 x 3"),
                     QStringLiteral("5 x 5"), QStringLiteral("7 x 7"), QStringLiteral("9 x 9")});
    combo->setCurrentIndex(index);
    return combo;
}

void ValueSlider::setEnabled(bool enabled) const
{
    slider->setEnabled(enabled);
    value->setEnabled(enabled);
}

ValueSlider makeValueSlider(QWidget *parent, const QString &title, int minimum, int maximum, int position,
                            std::function<QString(int)> format)
{
    ValueSlider v;
    v.slider = new QSlider(Qt::Horizontal, parent);
    v.slider->setRange(minimum, maximum);
    v.slider->setSingleStep(1);
    v.slider->setPageStep(10);
    v.slider->setValue(position);
    v.value = new QLabel(format(position), parent);
    v.value->setMinimumWidth(56);
    v.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QObject::connect(v.slider, &QSlider::valueChanged, v.value,
                     [label = v.value, format](int value) { label->setText(format(value)); });
    v.row = new QHBoxLayout;
    if (!title.isEmpty())
        v.row->addWidget(new QLabel(title, parent));
    v.row->addWidget(v.slider, 1);
    v.row->addWidget(v.value);
    return v;
}

bool checkKernelSelection(platform::Prompt &prompt, const QComboBox *blur, const QComboBox *sharpen)
{
    if (blur->currentIndex() < 0) {
        prompt.message(QCoreApplication::translate("SettingWidgets", "ガウスぼかしを選択してください。"),
                       platform::PromptIcon::Stop);
        return false;
    }
    if (sharpen->currentIndex() < 0) {
        prompt.message(QCoreApplication::translate("SettingWidgets", "シャープ化を選択してください。"),
                       platform::PromptIcon::Stop);
        return false;
    }
    return true;
}

QDialogButtonBox *makeOkCancel(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Cancel)->setText(QCoreApplication::translate("SettingWidgets", "キャンセル"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}
