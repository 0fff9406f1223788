#include "settingdlg.h"

#include "listtexts.h"

#include "platform/prompt.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace leafreader {

namespace {

// The lowest value is the same for the store and the dialog. The fields may
// show up to the stored limits, so a stored value beyond the dialog's range
// is shown as it is and refused only on OK.
constexpr int kMinimum[SettingDlg::kFieldCount] = {1, 1, 0, 1};
constexpr int kAcceptMaximum[SettingDlg::kFieldCount] = {100, 100, 30, 3600};

QGroupBox *orderGroup(const QString &title, QButtonGroup *group, int current, QWidget *parent)
{
    auto *box = new QGroupBox(title, parent);
    auto *layout = new QVBoxLayout(box);
    const QString labels[3] = {SettingDlg::tr("タイトル順"), SettingDlg::tr("発行日の古い方から"),
                               SettingDlg::tr("発行日の新しい方から")};
    for (int i = 0; i < 3; ++i) {
        auto *radio = new QRadioButton(labels[i], box);
        group->addButton(radio, i);
        layout->addWidget(radio);
        radio->setChecked(i == current);
    }
    return box;
}

} // namespace

int SettingDlg::fieldMinimum(int which) { return kMinimum[which]; }
int SettingDlg::fieldMaximum(int which) { return kAcceptMaximum[which]; }

SettingDlg::SettingDlg(const ReaderSettings &settings, const ShelfSettings &listSettings,
                       platform::Prompt &prompt, QWidget *parent)
    : QDialog(parent), m_values(settings), m_listValues(listSettings), m_padScaleAtStart(settings.scalePad),
      m_prompt(prompt)
{
    setWindowTitle(tr("設定"));
    auto *layout = new QVBoxLayout(this);

    auto *scales = new QGridLayout;
    const QString scaleTitles[kScaleCount] = {
        tr("ノーマル画面のスケール"), tr("フルスクリーンのスケール"), tr("リストのカラム幅"),
        tr("リモコンパッドのスケール")};
    const int scaleValues[kScaleCount] = {settings.scaleNormal, settings.scaleFullScreen,
                                          settings.scaleListColumn, settings.scalePad};
    for (int i = 0; i < kScaleCount; ++i) {
        auto *bar = new QScrollBar(Qt::Horizontal, this);
        bar->setRange(-ReaderSettings::kScaleLimit, ReaderSettings::kScaleLimit);
        bar->setSingleStep(1);
        bar->setPageStep(3);
        bar->setValue(ReaderSettings::clampScale(scaleValues[i]));
        bar->setMinimumWidth(200);
        auto *label = new QLabel(QString::asprintf("%+d", bar->value()), this);
        label->setMinimumWidth(32);
        connect(bar, &QScrollBar::valueChanged, this, [this, i, label](int value) {
            label->setText(QString::asprintf("%+d", value));
            if (i == ScalePad && onPadScalePreview)
                onPadScalePreview(value);
        });
        m_bars[i] = bar;
        m_barLabels[i] = label;
        scales->addWidget(new QLabel(scaleTitles[i], this), i, 0);
        scales->addWidget(bar, i, 1);
        scales->addWidget(label, i, 2);
    }
    layout->addLayout(scales);

    auto *orders = new QHBoxLayout;
    m_folderOrder = new QButtonGroup(this);
    m_resumeOrder = new QButtonGroup(this);
    orders->addWidget(orderGroup(tr("Folder表示順"), m_folderOrder, listSettings.sortModeF, this));
    orders->addWidget(orderGroup(tr("Resume表示順"), m_resumeOrder, listSettings.sortModeR, this));
    layout->addLayout(orders);

    auto *priorityRow = new QHBoxLayout;
    priorityRow->addWidget(new QLabel(tr("３項目の優先順位"), this));
    m_priority = new QComboBox(this);
    for (int i = 0; i < kPriorityCount; ++i)
        m_priority->addItem(priorityText(i));
    m_priority->setCurrentIndex(std::clamp(settings.apcPriority, 0, kPriorityCount - 1));
    priorityRow->addWidget(m_priority, 1);
    layout->addLayout(priorityRow);

    m_hideCursor = new QCheckBox(tr("コンテンツ表示中はマウスカーソルを消す"), this);
    m_hideCursor->setChecked(settings.hideCursor);
    m_picEnlarge = new QCheckBox(tr("小さい画像も画面にフィット"), this);
    m_picEnlarge->setChecked(settings.picEnlarge);
    m_loop = new QCheckBox(tr("自動送りをループする"), this);
    m_loop->setChecked(settings.loop);
    layout->addWidget(m_hideCursor);
    layout->addWidget(m_picEnlarge);
    layout->addWidget(m_loop);

    auto *fields = new QGridLayout;
    const QString fieldTitles[kFieldCount] = {
        tr("スキップ送りのページ数"), tr("スキップ戻りのページ数"), tr("見開き表示の隙間（pixel）"),
        tr("自動送りの間隔（秒）")};
    const int fieldValues[kFieldCount] = {settings.skipForward, settings.skipBack, settings.space,
                                          settings.interval};
    for (int i = 0; i < kFieldCount; ++i) {
        auto *spin = new ui::NumberField(kMinimum[i], kAcceptMaximum[i], fieldValues[i], this);
        m_fields[i] = spin;
        fields->addWidget(new QLabel(fieldTitles[i], this), i, 0);
        fields->addWidget(spin, i, 1);
    }
    layout->addLayout(fields);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SettingDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SettingDlg::reject);
    layout->addWidget(buttons);
}

void SettingDlg::accept()
{
    if (!ui::numbersInRange({m_fields[0], m_fields[1], m_fields[2], m_fields[3]}, m_prompt, platform::PromptIcon::Warning))
        return;
    m_values.scaleNormal = m_bars[ScaleNormal]->value();
    m_values.scaleFullScreen = m_bars[ScaleFullScreen]->value();
    m_values.scaleListColumn = m_bars[ScaleListColumn]->value();
    m_values.scalePad = m_bars[ScalePad]->value();
    if (m_folderOrder->checkedId() >= 0)
        m_listValues.sortModeF = m_folderOrder->checkedId();
    if (m_resumeOrder->checkedId() >= 0)
        m_listValues.sortModeR = m_resumeOrder->checkedId();
    m_values.apcPriority = m_priority->currentIndex();
    m_values.hideCursor = m_hideCursor->isChecked();
    m_values.picEnlarge = m_picEnlarge->isChecked();
    m_values.loop = m_loop->isChecked();
    m_values.skipForward = m_fields[FieldSkipForward]->value();
    m_values.skipBack = m_fields[FieldSkipBack]->value();
    m_values.space = m_fields[FieldSpace]->value();
    m_values.interval = m_fields[FieldInterval]->value();
    QDialog::accept();
}

void SettingDlg::reject()
{
    if (onPadScalePreview && m_bars[ScalePad]->value() != m_padScaleAtStart)
        onPadScalePreview(m_padScaleAtStart);
    QDialog::reject();
}

} // namespace leafreader
