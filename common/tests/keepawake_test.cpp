#include "ui/keepawake.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(KeepAwakeTest, WithoutASessionBusItDoesNothingQuietly)
{
    const QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    QTemporaryDir empty;
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("XDG_RUNTIME_DIR", empty.path().toLocal8Bit());
    {
        platform::KeepAwake keep(QStringLiteral("UnitTest"), QStringLiteral("test"));
        keep.hold();
        EXPECT_TRUE(keep.isHeld());
        EXPECT_FALSE(keep.isInhibiting());
        keep.release();
        EXPECT_FALSE(keep.isHeld());
    }
    if (!address.isEmpty())
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    if (!runtime.isEmpty())
        qputenv("XDG_RUNTIME_DIR", runtime);
    else
        qunsetenv("XDG_RUNTIME_DIR");
}
