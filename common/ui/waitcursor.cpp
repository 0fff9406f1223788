#include "waitcursor.h"

#include <QApplication>

namespace platform {

WaitCursor::WaitCursor()
    : m_shown(qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr)
{
    if (m_shown)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    if (m_shown)
        QApplication::restoreOverrideCursor();
}

} // namespace platform
