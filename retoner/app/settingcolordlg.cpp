#include "settingcolordlg.h"

#include "coloreditdlg.h"
#include "colorgraphwidgets.h"

#include <platform/prompt.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

using namespace retoner;

CSettingColorDlg::CSettingColorDlg(const ToneSettings &settings, platform::Prompt &prompt, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_prompt(prompt), m_enabled(settings.color.correctionEnabled != 0)
{
    setObjectName(QStringLiteral("CSettingColorDlg"));
    setWindowTitle(tr("カラー設定"));
    // Half the height of the dialog's base unit: the graphs' border, marker
    // radius and hit radius.
    m_margin = std::max(4, fontMetrics().height() / 2);
    const ColorParams &color = settings.color;
    auto *layout = new QVBoxLayout(this);

    auto *chain = new QGridLayout;
    chain->addWidget(new QLabel(tr("ガウスぼかし"), this), 0, 0);
    m_blur = makeKernelCombo(this, color.blurIndex);
    chain->addWidget(m_blur, 0, 1);
    auto *sharpen = new QGroupBox(tr("シャープ化"), this);
    auto *sharpenLayout = new QVBoxLayout(sharpen);
    m_sharpen = makeKernelCombo(sharpen, color.sharpenIndex);
    m_strength = makeValueSlider(sharpen, tr("強度"), 0, 100, color.sharpenStrength,
                                 [](int v) { return QString::asprintf("%.2f", v / 100.0); });
    sharpenLayout->addWidget(m_sharpen);
    sharpenLayout->addLayout(m_strength.row);
    chain->addWidget(sharpen, 1, 0, 1, 2);
    layout->addLayout(chain);
    connect(m_sharpen, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { m_strength.setEnabled(m_sharpen->currentIndex() > 0); });
    m_strength.setEnabled(m_sharpen->currentIndex() > 0);

    auto *correction = new QGroupBox(this);
    auto *correctionLayout = new QGridLayout(correction);
    m_correction = new QCheckBox(tr("色補正"), correction);
    m_correction->setChecked(m_enabled);
    correctionLayout->addWidget(m_correction, 0, 0, 1, 3);
    m_hs = new CHSGraph(m_margin, correction);
    m_hs->setFixedSize(320, 320);
    m_sv = new CSVGraph(m_margin, correction);
    m_sv->setFixedSize(160 + m_margin, 320);
    correctionLayout->addWidget(m_hs, 1, 0);
    correctionLayout->addWidget(m_sv, 1, 1);

    auto *side = new QVBoxLayout;
    m_original = new CMyGraph(correction);
    m_changed = new CMyGraph(correction);
    for (CMyGraph *sample : {m_original, m_changed})
        sample->setFixedSize(72, 54);
    m_original->setPaintCallback([this](QPainter &p, const QRect &r, QWidget *, int) {
        paintSample(p, r, pointSamples(m_settings.correction[pointIndex(m_selection)]).original, false);
    });
    m_changed->setPaintCallback([this](QPainter &p, const QRect &r, QWidget *, int) {
        const PointSamples s = pointSamples(m_settings.correction[pointIndex(m_selection)]);
        paintSample(p, r, s.changed, s.limited);
    });
    side->addWidget(new QLabel(tr("元の色"), correction));
    side->addWidget(m_original);
    side->addWidget(new QLabel(tr("変更色"), correction));
    side->addWidget(m_changed);
    m_edit = new QPushButton(tr("調整..."), correction);
    m_reset = new QPushButton(tr("リセット"), correction);
    for (QPushButton *b : {m_edit, m_reset})
        b->setAutoDefault(false);
    side->addSpacing(8);
    side->addWidget(m_edit);
    side->addWidget(m_reset);
    side->addStretch(1);
    correctionLayout->addLayout(side, 1, 2);
    layout->addWidget(correction);
    layout->addWidget(makeOkCancel(this));

    connect(m_correction, &QCheckBox::toggled, this, [this](bool on) {
        m_enabled = on;
        updateEnabling();
        repaintGraphs();
    });
    connect(m_hs, &CHSGraph::selectPoint, this, &CSettingColorDlg::selectPoint);
    connect(m_sv, &CSVGraph::selectPoint, this, &CSettingColorDlg::selectPoint);
    connect(m_edit, &QPushButton::clicked, this, &CSettingColorDlg::editSelectedPoint);
    connect(m_reset, &QPushButton::clicked, this, &CSettingColorDlg::resetAll);
    updateEnabling();
    repaintGraphs();
}

void CSettingColorDlg::updateEnabling()
{
    m_edit->setEnabled(m_enabled);
    m_reset->setEnabled(m_enabled && hasAnyShift(m_settings.correction));
}

void CSettingColorDlg::repaintGraphs()
{
    for (CPointGraph *graph : std::initializer_list<CPointGraph *>{m_hs, m_sv})
        graph->setState(m_settings.correction, m_selection, m_enabled);
    for (QWidget *sample : {m_original, m_changed})
        sample->update();
}

void CSettingColorDlg::selectPoint(int level, int saturation, int hue)
{
    if (takeSelection(m_selection, m_enabled, PointSelection{level, saturation, hue}))
        repaintGraphs();
}

void CSettingColorDlg::editSelectedPoint()
{
    if (!m_enabled)
        return;
    const int index = pointIndex(m_selection);
    const bool neutral = isNeutralPoint(index);
    std::optional<ControlPoint> edited;
    if (m_editPoint) {
        edited = m_editPoint(m_settings.correction[index], neutral);
    } else {
        CColorEditDlg editor(m_settings.correction[index], neutral, this);
        if (editor.exec() == QDialog::Accepted)
            edited = editor.point();
    }
    if (!edited)
        return;
    m_settings.correction[index] = *edited;
    carryOverLevel(m_settings.correction, m_selection.level);
    updateEnabling();
    repaintGraphs();
}

void CSettingColorDlg::resetAll()
{
    if (m_prompt.message(tr("全ての調整をリセットします。\nよろしいですか？"), platform::PromptIcon::Question,
                         platform::PromptButtons::OkCancel)
        != platform::PromptAnswer::Ok)
        return;
    m_settings.correction.resetShifts();
    updateEnabling();
    repaintGraphs();
}

void CSettingColorDlg::accept()
{
    if (!checkKernelSelection(m_prompt, m_blur, m_sharpen))
        return;
    ColorParams &color = m_settings.color;
    color.blurIndex = m_blur->currentIndex();
    color.sharpenIndex = m_sharpen->currentIndex();
    color.sharpenStrength = m_strength.slider->value();
    color.correctionEnabled = m_enabled ? 1 : 0;
    QDialog::accept();
}
