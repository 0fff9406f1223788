#include "progressdlg.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CProgressDlg::CProgressDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CProgressDlg"));
    setModal(false);
    auto *layout = new QVBoxLayout(this);
    m_bar = new QProgressBar(this);
    m_bar->setTextVisible(false);
    m_text = new QLabel(this);
    m_text->setMinimumWidth(360);
    m_text->setTextFormat(Qt::PlainText);
    m_stop = new QPushButton(tr("中止"), this);
    m_stop->setAutoDefault(false);
    layout->addWidget(m_bar);
    layout->addWidget(m_text);
    layout->addWidget(m_stop, 0, Qt::AlignHCenter);
    connect(m_stop, &QPushButton::clicked, this, [this] { m_cancelled = true; });
}

void CProgressDlg::begin(const QString &title, int range)
{
    m_cancelled = false;
    setWindowTitle(title);
    m_bar->setRange(0, std::max(range, 1));
    m_bar->setValue(0);
    m_text->clear();
    show();
    raise();
}

void CProgressDlg::setText(const QString &text)
{
    m_text->setText(m_text->fontMetrics().elidedText(text, Qt::ElideMiddle, m_text->width()));
}

void CProgressDlg::setPosition(int position)
{
    m_bar->setValue(position);
}

int CProgressDlg::position() const
{
    return m_bar->value();
}

void CProgressDlg::end()
{
    hide();
}

void CProgressDlg::processEvents()
{
    QCoreApplication::processEvents();
}

void CProgressDlg::entryAdded(int index, const retoner::ImageEntry &entry, const QString &)
{
    if (m_entryAdded)
        m_entryAdded(index, entry);
}

void CProgressDlg::closeEvent(QCloseEvent *event)
{
    // Closing the window asks to stop, as "中止" does; the run closes it.
    m_cancelled = true;
    event->ignore();
}
