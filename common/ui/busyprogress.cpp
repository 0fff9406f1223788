#include "busyprogress.h"

#include <QApplication>

namespace platform {

namespace {

bool hasWidgets()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}

} // namespace

void BusyProgress::begin(const QString &title, int range)
{
    (void)title;
    (void)range;
    ++m_depth;
    if (hasWidgets())
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void BusyProgress::end()
{
    --m_depth;
    if (hasWidgets())
        QApplication::restoreOverrideCursor();
}

void BusyProgress::processEvents()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace platform
