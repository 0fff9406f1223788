#include "autoturn.h"

namespace leafreader {

bool AutoTurn::due(int64_t now, int intervalSeconds)
{
    if (!m_on || now - m_last < int64_t(intervalSeconds) * 1000)
        return false;
    m_last = now;
    return true;
}

IdleCursor::Action IdleCursor::tick(QPoint position, bool insideClient, bool menuOpen)
{
    Action action = Action::None;
    if (menuOpen) {
        m_count = 0;
        action = Action::Show;
    } else if (insideClient) {
        const QPoint d = position - m_last;
        if (d.x() * d.x() + d.y() * d.y() <= 32) {
            if (m_count < kTicksToHide)
                ++m_count;
            if (m_count >= kTicksToHide)
                action = Action::Hide;
        } else {
            m_count = 0;
            action = Action::Show;
        }
    }
    m_last = position;
    return action;
}

} // namespace leafreader
