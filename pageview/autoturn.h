#pragma once

#include <QPoint>

#include <cstdint>

namespace leafreader {

// Automatic page turning: due every interval seconds after it was switched
// on or last turned. Times are milliseconds of a monotonic clock the owner
// passes in.
class AutoTurn {
public:
    bool isOn() const { return m_on; }
    void switchOn(int64_t now)
    {
        m_on = true;
        m_last = now;
    }
    void switchOff() { m_on = false; }
    // True when a turn is due now; the turn time is then taken as now.
    bool due(int64_t now, int intervalSeconds);

private:
    bool m_on = false;
    int64_t m_last = 0;
};

// Hides the mouse cursor once it has rested (moved at most sqrt(32) pixels per
// tick) for 20 ticks of the 50 ms timer inside the view.
class IdleCursor {
public:
    static constexpr int kTicksToHide = 20;
    enum class Action { None, Show, Hide };

    void reset(QPoint position)
    {
        m_count = 0;
        m_last = position;
    }
    Action tick(QPoint position, bool insideClient, bool menuOpen);
    int count() const { return m_count; }

private:
    int m_count = 0;
    QPoint m_last;
};

} // namespace leafreader
