#pragma once

#include "core/columnoffsets.h"

#include <QWidget>

class QToolButton;

// The spin buttons beside an offset: ▲ raises and ▼ lowers it by one (held,
// they repeat); over the control the wheel and the keys Up, Down, Page Up,
// Page Down (by 4), Home (30) and End (-30) do the same. Each action is
// reported as the notification a vertical spin control sends.
class COffsetSpin : public QWidget {
    Q_OBJECT
public:
    explicit COffsetSpin(QWidget *parent = nullptr);

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

signals:
    void stepped(retouch::SpinStep step);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QToolButton *m_up;
    QToolButton *m_down;
    int m_wheelRest = 0;
};
