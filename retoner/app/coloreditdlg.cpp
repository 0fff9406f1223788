#include "coloreditdlg.h"

#include "colorgraphwidgets.h"

#include "core/backgroundpictures.h"
#include "core/colorgraphs.h"
#include "core/tonepipeline.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

using namespace retoner;

namespace {

constexpr double HalfDegreesPerTurn = 720.0;

} // namespace

CColorEditDlg::CColorEditDlg(const ControlPoint &point, bool neutralPoint, QWidget *parent)
    : QDialog(parent), m_point(point), m_neutral(neutralPoint)
{
    setObjectName(QStringLiteral("CColorEditDlg"));
    setWindowTitle(tr("色調整"));
    auto *layout = new QVBoxLayout(this);

    auto *samples = new QHBoxLayout;
    m_original = new CMyGraph(this);
    m_changed = new CMyGraph(this);
    for (CMyGraph *sample : {m_original, m_changed})
        sample->setFixedSize(64, 48);
    m_original->setPaintCallback([this](QPainter &p, const QRect &r, QWidget *, int) {
        paintSample(p, r, pointSamples(this->point()).original, false);
    });
    m_changed->setPaintCallback([this](QPainter &p, const QRect &r, QWidget *, int) {
        const PointSamples s = pointSamples(this->point());
        paintSample(p, r, s.changed, s.limited);
    });
    samples->addWidget(new QLabel(tr("元の色"), this));
    samples->addWidget(m_original);
    samples->addSpacing(16);
    samples->addWidget(new QLabel(tr("変更色"), this));
    samples->addWidget(m_changed);
    samples->addStretch(1);
    layout->addLayout(samples);

    const int hue = sliderForHueShift(point.hueShift, neutralPoint);
    if (neutralPoint)
        m_hue = makeValueSlider(this, tr("色相"), 0, 719, hue,
                                [](int v) { return QString::asprintf("%.1f", v / 2.0); });
    else
        m_hue = makeValueSlider(this, tr("色相"), -120, 120, hue,
                                [](int v) { return QString::asprintf("%+.1f", v / 2.0); });
    const auto hundredths = [](int v) { return QString::asprintf("%+.2f", v / 100.0); };
    m_saturation = makeValueSlider(this, tr("彩度"), -50, 50,
                                   static_cast<int>(std::lround(point.saturationShift * 100)), hundredths);
    m_value = makeValueSlider(this, tr("明度"), -50, 50,
                              static_cast<int>(std::lround(point.valueShift * 100)), hundredths);
    const ValueSlider *rows[3] = {&m_hue, &m_saturation, &m_value};
    for (int i = 0; i < 3; ++i) {
        m_bars[i] = new CMyGraph(this, i);
        m_bars[i]->setFixedHeight(14);
        m_bars[i]->setPaintCallback([this](QPainter &p, const QRect &r, QWidget *, int id) { paintBar(p, r, id); });
        layout->addWidget(m_bars[i]);
        layout->addLayout(rows[i]->row);
        connect(rows[i]->slider, &QSlider::valueChanged, this, [this] {
            for (CMyGraph *graph : {m_original, m_changed, m_bars[0], m_bars[1], m_bars[2]})
                graph->update();
        });
    }

    auto *buttons = makeOkCancel(this);
    QPushButton *reset = buttons->addButton(QStringLiteral("Reset"), QDialogButtonBox::ResetRole);
    connect(reset, &QPushButton::clicked, this, [this] {
        m_hue.slider->setValue(0);
        m_saturation.slider->setValue(0);
        m_value.slider->setValue(0);
    });
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

ControlPoint CColorEditDlg::point() const
{
    ControlPoint p = m_point;
    p.hueShift = hueShiftForSlider(m_hue.slider->value());
    p.saturationShift = m_saturation.slider->value() / 100.0f;
    p.valueShift = m_value.slider->value() / 100.0f;
    return p;
}

void CColorEditDlg::paintBar(QPainter &p, const QRect &r, int which)
{
    const ControlPoint now = point();
    const BackgroundPictures &pictures = BackgroundPictures::instance();
    double marker = 0.0; // where the changed colour lies on the bar, 0..1
    if (which == 0) {
        const QImage &strip = pictures.hueStrip();
        const int last = strip.width() - 1;
        if (m_neutral) {
            p.drawImage(r, strip);
            marker = now.hueShift / TwoPi;
        } else {
            // 60 degrees either side of the point's hue, across 0/360.
            const double from = m_point.hue / TwoPi - 60.0 / 360.0;
            for (int x = 0; x < r.width(); ++x) {
                double t = from + (120.0 / 360.0) * x / std::max(1, r.width() - 1);
                t -= std::floor(t);
                const int column = static_cast<int>(t * last);
                p.fillRect(QRect(r.left() + x, r.top(), 1, r.height()), strip.pixelColor(column, 0));
            }
            marker = 0.5 + m_hue.slider->value() / 240.0;
        }
    } else {
        const float hue = wrapHue(now.hue + now.hueShift);
        const float s = std::clamp(now.saturation + now.saturationShift, 0.0f, 1.0f);
        const float v = std::clamp(now.value + now.valueShift, 0.0f, 1.0f);
        // The bar strip is the unit range; each bar colours it along its own axis.
        const QImage &ramp = pictures.barStrip();
        QImage bar(ramp.width(), 1, QImage::Format_RGB888);
        for (int x = 0; x < ramp.width(); ++x) {
            const float t = qGray(ramp.pixel(x, 0)) / 255.0f;
            const auto rgb = which == 1 ? hsvToRgbBytes(hue, t, v) : hsvToRgbBytes(hue, s, t);
            std::copy(rgb.begin(), rgb.end(), bar.scanLine(0) + 3 * x);
        }
        p.drawImage(r, bar);
        marker = which == 1 ? s : v;
    }
    const int x = r.left() + static_cast<int>(marker * (r.width() - 1));
    p.setPen(QPen(Qt::black, 3));
    p.drawLine(x, r.top(), x, r.bottom());
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(x, r.top(), x, r.bottom());
}
