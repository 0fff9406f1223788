#include "keepawake.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QFileInfo>

namespace platform {

namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");

// The session bus when it is there and the service answers on it.
bool serviceAvailable()
{
    // Without an address or the standard socket there is no bus to ask, and
    // asking would only start a bus of its own.
    const QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (address.isEmpty() && (runtime.isEmpty() || !QFileInfo::exists(QString::fromLocal8Bit(runtime) + QStringLiteral("/bus"))))
        return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    const QDBusReply<bool> registered = bus.interface()->isServiceRegistered(kService);
    return registered.isValid() && registered.value();
}

} // namespace

KeepAwake::KeepAwake(QString application, QString reason)
    : m_application(std::move(application)), m_reason(std::move(reason))
{
}

KeepAwake::~KeepAwake()
{
    release();
}

void KeepAwake::hold()
{
    if (m_held)
        return;
    m_held = true;
    if (!serviceAvailable())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Inhibit"));
    call << m_application << m_reason;
    const QDBusReply<uint> reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 2000);
    if (reply.isValid())
        m_cookie = reply.value();
}

void KeepAwake::release()
{
    if (!m_held)
        return;
    m_held = false;
    if (m_cookie == 0)
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("UnInhibit"));
    call << m_cookie;
    QDBusConnection::sessionBus().call(call, QDBus::NoBlock);
    m_cookie = 0;
}

} // namespace platform
