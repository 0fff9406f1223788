#pragma once

#include <QApplication>

namespace leafreader {

// Shows the wait cursor while it lives. Without a widget application (tests
// and tools driving the models on a core application) it does nothing.
class WaitCursor {
public:
    WaitCursor() : m_shown(qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr)
    {
        if (m_shown)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (m_shown)
            QApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    bool m_shown;
};

} // namespace leafreader
