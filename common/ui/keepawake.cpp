#include "keepawake.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QFileInfo>

namespace platform {

namespace {

struct Service {
    QString name, path, interface;
};

Service serviceFor(KeepAwake::Kind kind)
{
    if (kind == KeepAwake::Kind::System)
        return {QStringLiteral("org.freedesktop.PowerManagement"),
                QStringLiteral("/org/freedesktop/PowerManagement/Inhibit"),
                QStringLiteral("org.freedesktop.PowerManagement.Inhibit")};
    return {QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("/org/freedesktop/ScreenSaver"),
            QStringLiteral("org.freedesktop.ScreenSaver")};
}

// The session bus when it is there and the service answers on it.
bool serviceAvailable(const QString &service)
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
    const QDBusReply<bool> registered = bus.interface()->isServiceRegistered(service);
    return registered.isValid() && registered.value();
}

} // namespace

KeepAwake::KeepAwake(QString application, QString reason, Kind kind)
    : m_application(std::move(application)), m_reason(std::move(reason)), m_kind(kind)
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
    const Service service = serviceFor(m_kind);
    if (!serviceAvailable(service.name))
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(service.name, service.path, service.interface,
                                                       QStringLiteral("Inhibit"));
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
    const Service service = serviceFor(m_kind);
    QDBusMessage call = QDBusMessage::createMethodCall(service.name, service.path, service.interface,
                                                       QStringLiteral("UnInhibit"));
    call << m_cookie;
    QDBusConnection::sessionBus().call(call, QDBus::NoBlock);
    m_cookie = 0;
}

} // namespace platform
