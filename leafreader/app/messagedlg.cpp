#include "messagedlg.h"

#include <QHBoxLayout>
#include <QLabel>

namespace leafreader {

MessageDlg::MessageDlg(QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                         | Qt::WindowDoesNotAcceptFocus),
      m_label(new QLabel(this))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    m_label->setAlignment(Qt::AlignCenter);
    QFont font = m_label->font();
    font.setPointSize(font.pointSize() + 4);
    m_label->setFont(font);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 10, 16, 10);
    layout->addWidget(m_label);
    setAutoFillBackground(true);
}

void MessageDlg::showText(const QString &text, const QWidget *over, int64_t now)
{
    m_label->setText(text);
    adjustSize();
    resize(std::max(width(), 220), height());
    if (over) {
        const QRect frame = over->frameGeometry();
        move(frame.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    m_shownAt = now;
}

void MessageDlg::expire(int64_t now)
{
    if (isVisible() && now - m_shownAt >= kLifeMs)
        hide();
}

QString MessageDlg::text() const
{
    return m_label->text();
}

} // namespace leafreader
