#include "offsetspin.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

using retouch::SpinStep;

COffsetSpin::COffsetSpin(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    auto make = [this](Qt::ArrowType arrow) {
        auto *button = new QToolButton(this);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(20, 12);
        return button;
    };
    m_up = make(Qt::UpArrow);
    m_down = make(Qt::DownArrow);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    // A vertical control's position grows downwards: raising the value is a
    // line down.
    connect(m_up, &QToolButton::clicked, this, [this] { emit stepped(SpinStep::LineDown); });
    connect(m_down, &QToolButton::clicked, this, [this] { emit stepped(SpinStep::LineUp); });
}

void COffsetSpin::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up: emit stepped(SpinStep::LineDown); break;
    case Qt::Key_Down: emit stepped(SpinStep::LineUp); break;
    case Qt::Key_PageUp: emit stepped(SpinStep::PageDown); break;
    case Qt::Key_PageDown: emit stepped(SpinStep::PageUp); break;
    case Qt::Key_Home: emit stepped(SpinStep::Top); break;
    case Qt::Key_End: emit stepped(SpinStep::Bottom); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void COffsetSpin::wheelEvent(QWheelEvent *event)
{
    // One step per notch; touchpads add up to a notch first.
    m_wheelRest += event->angleDelta().y();
    while (m_wheelRest >= 120) {
        m_wheelRest -= 120;
        emit stepped(SpinStep::LineDown);
    }
    while (m_wheelRest <= -120) {
        m_wheelRest += 120;
        emit stepped(SpinStep::LineUp);
    }
    event->accept();
}
