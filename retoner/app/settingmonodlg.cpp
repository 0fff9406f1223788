#include "settingmonodlg.h"

#include "core/colorgraphs.h"

#include <ui/mygraph.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

using namespace retoner;

CSettingMonoDlg::CSettingMonoDlg(const ToneSettings &settings, platform::Prompt &prompt, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_prompt(prompt)
{
    setObjectName(QStringLiteral("CSettingMonoDlg"));
    setWindowTitle(tr("モノクロ設定"));
    const MonoParams &mono = settings.mono;
    auto *layout = new QVBoxLayout(this);
    m_grayscale = new QCheckBox(tr("グレースケール化"), this);
    m_grayscale->setChecked(mono.grayscale != 0);
    layout->addWidget(m_grayscale);

    auto *levels = new QGroupBox(tr("レベル調整"), this);
    auto *levelLayout = new QGridLayout(levels);
    m_graph = new CMyGraph(levels);
    m_graph->setFixedSize(256, 256);
    m_graph->setPaintCallback([this](QPainter &p, const QRect &r, QWidget *, int) { paintCurve(p, r); });
    levelLayout->addWidget(new QLabel(QStringLiteral("Out"), levels), 0, 0, Qt::AlignTop);
    levelLayout->addWidget(m_graph, 0, 1);
    levelLayout->addWidget(new QLabel(QStringLiteral("In"), levels), 1, 1, Qt::AlignHCenter);
    const auto decimal = [](int v) { return QString::number(v); };
    m_black = makeValueSlider(levels, tr("黒レベル"), 0, 255, mono.blackLevel, decimal);
    m_white = makeValueSlider(levels, tr("白レベル"), 0, 255, mono.whiteLevel, decimal);
    m_curve = makeValueSlider(levels, tr("カーブ"), -100, 100, mono.curve,
                              [](int v) { return QString::asprintf("%.3f", std::pow(2.0, v / 100.0)); });
    levelLayout->addLayout(m_black.row, 2, 0, 1, 2);
    levelLayout->addLayout(m_white.row, 3, 0, 1, 2);
    levelLayout->addLayout(m_curve.row, 4, 0, 1, 2);
    layout->addWidget(levels);
    // The curve follows the sliders while they move.
    for (QSlider *slider : {m_black.slider, m_white.slider, m_curve.slider})
        connect(slider, &QSlider::valueChanged, m_graph, qOverload<>(&QWidget::update));

    auto *blurRow = new QHBoxLayout;
    blurRow->addWidget(new QLabel(tr("ガウスぼかし"), this));
    m_blur = makeKernelCombo(this, mono.blurIndex);
    blurRow->addWidget(m_blur, 1);
    layout->addLayout(blurRow);

    auto *sharpen = new QGroupBox(tr("シャープ化"), this);
    auto *sharpenLayout = new QVBoxLayout(sharpen);
    m_sharpen = makeKernelCombo(sharpen, mono.sharpenIndex);
    m_strength = makeValueSlider(sharpen, tr("強度"), 0, 100, mono.sharpenStrength,
                                 [](int v) { return QString::asprintf("%.2f", v / 100.0); });
    sharpenLayout->addWidget(m_sharpen);
    sharpenLayout->addLayout(m_strength.row);
    layout->addWidget(sharpen);
    const auto enableStrength = [this] { m_strength.setEnabled(m_sharpen->currentIndex() > 0); };
    connect(m_sharpen, qOverload<int>(&QComboBox::currentIndexChanged), this, enableStrength);
    enableStrength();

    layout->addWidget(makeOkCancel(this));
}

void CSettingMonoDlg::paintCurve(QPainter &p, const QRect &r)
{
    p.fillRect(r, Qt::white);
    p.setPen(QColor(200, 200, 200));
    for (int q = 1; q < 4; ++q) {
        const int x = r.left() + r.width() * q / 4;
        const int y = r.top() + r.height() * q / 4;
        p.drawLine(x, r.top(), x, r.bottom());
        p.drawLine(r.left(), y, r.right(), y);
    }
    p.setPen(Qt::black);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(Qt::black, std::max(1.0, fontMetrics().height() / 10.0));
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    const std::vector<QPointF> points =
        levelCurve(QRectF(r), m_black.slider->value(), m_white.slider->value(), m_curve.slider->value());
    p.drawPolyline(points.data(), static_cast<int>(points.size()));
}

void CSettingMonoDlg::accept()
{
    if (!checkKernelSelection(m_prompt, m_blur, m_sharpen))
        return;
    MonoParams &mono = m_settings.mono;
    mono.grayscale = m_grayscale->isChecked() ? 1 : 0;
    mono.blackLevel = m_black.slider->value();
    mono.whiteLevel = m_white.slider->value();
    mono.curve = m_curve.slider->value();
    mono.blurIndex = m_blur->currentIndex();
    mono.sharpenIndex = m_sharpen->currentIndex();
    mono.sharpenStrength = m_strength.slider->value();
    QDialog::accept();
}
