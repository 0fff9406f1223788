#include "settingdlg.h"

#include "platform/prompt.h"
#include "ui/numberfield.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace glancer {

namespace {

// The fields show what the store may hold and refuse more than the dialog
// accepts only on OK.
struct FieldRange {
    int minimum, maximum;
};
constexpr FieldRange kSkipRange{1, 100};
constexpr FieldRange kSpaceRange{0, 30};

ui::NumberField *numberField(int value, FieldRange range, QWidget *parent)
{
    return new ui::NumberField(range.minimum, range.maximum, value, parent);
}

QComboBox *sizeList(int index, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    for (const QString &item : {CSettingDlg::tr("最小"), CSettingDlg::tr("小さめ"), CSettingDlg::tr("中"),
                                CSettingDlg::tr("大きめ"), CSettingDlg::tr("最大")})
        box->addItem(item);
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
    return box;
}

} // namespace

CSettingDlg::CSettingDlg(const GlancerSettings &settings, platform::Prompt &prompt, QWidget *parent)
    : QDialog(parent), m_values(settings), m_prompt(prompt)
{
    setWindowTitle(tr("設定"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_sizeNormal = sizeList(settings.sizeNormal, this);
    m_sizeFull = sizeList(settings.sizeFullScreen, this);
    form->addRow(tr("ノーマル画面のフォントサイズ"), m_sizeNormal);
    form->addRow(tr("フルスクリーンのフォントサイズ"), m_sizeFull);

    m_pad = new QSlider(Qt::Horizontal, this);
    m_pad->setRange(GlancerSettings::kPadMin, GlancerSettings::kPadMax);
    m_pad->setPageStep(10);
    m_pad->setValue(settings.padSize);
    auto *padRow = new QHBoxLayout;
    padRow->addWidget(new QLabel(tr("小"), this));
    padRow->addWidget(m_pad, 1);
    padRow->addWidget(new QLabel(tr("大"), this));
    form->addRow(tr("リモコンパッドのサイズ"), padRow);
    connect(m_pad, &QSlider::valueChanged, this, [this](int size) {
        if (onPadSizePreview)
            onPadSizePreview(size);
    });

    m_skipForward = numberField(settings.skipForward, kSkipRange, this);
    m_skipBack = numberField(settings.skipBack, kSkipRange, this);
    form->addRow(tr("スキップ送りのページ数"), m_skipForward);
    form->addRow(tr("スキップ戻りのページ数"), m_skipBack);
    layout->addLayout(form);

    m_hideCursor = new QCheckBox(tr("コンテンツ表示中はマウスカーソルを消す"), this);
    m_hideCursor->setChecked(settings.hideCursor);
    layout->addWidget(m_hideCursor);
    layout->addWidget(new QLabel(tr("（マウスを動かせば表示されます）"), this));

    auto *types = new QGroupBox(tr("画像の表示"), this);
    auto *typeRow = new QHBoxLayout(types);
    m_bmp = new QCheckBox(QStringLiteral("BMP"), types);
    m_jpeg = new QCheckBox(QStringLiteral("JPEG"), types);
    m_png = new QCheckBox(QStringLiteral("PNG"), types);
    m_bmp->setChecked(settings.picExt & PicBmp);
    m_jpeg->setChecked(settings.picExt & PicJpeg);
    m_png->setChecked(settings.picExt & PicPng);
    typeRow->addWidget(m_bmp);
    typeRow->addWidget(m_jpeg);
    typeRow->addWidget(m_png);
    layout->addWidget(types);

    auto *spread = new QFormLayout;
    m_layout = new QComboBox(this);
    for (const QString &item : {tr("単一ページ"), tr("表紙あり見開き"), tr("表紙なし見開き")})
        m_layout->addItem(item);
    // A stored value other than 1 or 3 shows the middle item.
    m_layout->setCurrentIndex(settings.layout2 == 1 ? 0 : settings.layout2 == 3 ? 2 : 1);
    m_bind = new QComboBox(this);
    m_bind->addItem(tr("右綴じ"));
    m_bind->addItem(tr("左綴じ"));
    m_bind->setCurrentIndex(settings.bind == 1 ? 1 : 0);
    m_space = numberField(settings.space, kSpaceRange, this);
    spread->addRow(tr("初期レイアウト"), m_layout);
    spread->addRow(tr("見開き表示の初期状態"), m_bind);
    spread->addRow(tr("見開き表示の隙間"), m_space);
    layout->addLayout(spread);

    m_enlarge = new QCheckBox(tr("小さい画像も画面にフィット"), this);
    m_enlarge->setChecked(settings.picEnlarge);
    layout->addWidget(m_enlarge);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CSettingDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSettingDlg::reject);
    layout->addWidget(buttons);
}

QComboBox *CSettingDlg::list(int id) const
{
    switch (id) {
    case SizeNormal: return m_sizeNormal;
    case SizeFullScreen: return m_sizeFull;
    case Layout: return m_layout;
    case Bind: return m_bind;
    default: return nullptr;
    }
}

QSpinBox *CSettingDlg::field(int id) const
{
    switch (id) {
    case SkipForward: return m_skipForward;
    case SkipBack: return m_skipBack;
    case Space: return m_space;
    default: return nullptr;
    }
}

QCheckBox *CSettingDlg::check(int id) const
{
    switch (id) {
    case HideCursor: return m_hideCursor;
    case Bmp: return m_bmp;
    case Jpeg: return m_jpeg;
    case Png: return m_png;
    case Enlarge: return m_enlarge;
    default: return nullptr;
    }
}

void CSettingDlg::accept()
{
    if (!ui::numbersInRange({m_skipForward, m_skipBack, m_space}, m_prompt, platform::PromptIcon::Warning))
        return;
    // A size list without a selection keeps the value held.
    if (m_sizeNormal->currentIndex() >= 0)
        m_values.sizeNormal = m_sizeNormal->currentIndex();
    if (m_sizeFull->currentIndex() >= 0)
        m_values.sizeFullScreen = m_sizeFull->currentIndex();
    m_values.padSize = m_pad->value();
    m_values.skipForward = m_skipForward->value();
    m_values.skipBack = m_skipBack->value();
    m_values.hideCursor = m_hideCursor->isChecked();
    m_values.picExt = (m_bmp->isChecked() ? PicBmp : 0) | (m_jpeg->isChecked() ? PicJpeg : 0)
                      | (m_png->isChecked() ? PicPng : 0);
    m_values.layout2 = m_layout->currentIndex() + 1;
    m_values.bind = m_bind->currentIndex();
    m_values.space = m_space->value();
    m_values.picEnlarge = m_enlarge->isChecked();
    QDialog::accept();
}

void CSettingDlg::reject()
{
    if (onPadSizePreview && m_pad->value() != m_values.padSize)
        onPadSizePreview(m_values.padSize);
    QDialog::reject();
}

} // namespace glancer
