#include "jpegqdlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

CJPEG_Q_Dlg::CJPEG_Q_Dlg(int quality, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CJPEG_Q_Dlg"));
    setWindowTitle(QStringLiteral("JPEG Quality"));

    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setRange(0, 100);
    m_slider->setPageStep(10);
    m_slider->setTickInterval(10);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setValue(quality);
    m_slider->setMinimumWidth(240);
    m_value = new QLabel(this);
    m_value->setObjectName(QStringLiteral("quality"));
    m_value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_value->setMinimumWidth(m_value->fontMetrics().horizontalAdvance(QStringLiteral("1000 ")));

    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("低"), this));
    row->addWidget(m_slider, 1);
    row->addWidget(new QLabel(tr("高"), this));
    row->addWidget(m_value);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);

    connect(m_slider, &QSlider::valueChanged, this, &CJPEG_Q_Dlg::showValue);
    showValue();
}

int CJPEG_Q_Dlg::quality() const
{
    return m_slider->value();
}

void CJPEG_Q_Dlg::showValue()
{
    m_value->setText(QString::asprintf("%d ", m_slider->value()));
}
