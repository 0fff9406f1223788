#include "singleinstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <unistd.h>

namespace platform {

namespace {

// The message a later copy sends: a tag line, then the path (UTF-8), then a
// newline. The first copy answers with one line when it has acted.
constexpr char kRaiseTag[] = "RAISE";
constexpr char kAnswer[] = "OK\n";

// The temporary folder is shared by every session of the machine, as the
// single-instance rule asks (one copy per user, whatever the session).
QString runtimeFolder()
{
    return QDir::tempPath();
}

} // namespace

SingleInstance::SingleInstance(const QString &name, QObject *parent)
    : QObject(parent), m_name(name)
{
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
    if (m_lock)
        m_lock->unlock();
}

QString SingleInstance::serverPath(const QString &name)
{
    return runtimeFolder() + u'/' + name + u'.' + QString::number(::getuid());
}

SingleInstance::Role SingleInstance::start(const QString &path)
{
    const QString socketPath = serverPath(m_name);
    m_lock = std::make_unique<QLockFile>(socketPath + QStringLiteral(".lock"));
    // The lock plays the named mutex: a copy that died leaves a stale lock,
    // which QLockFile recognises by the dead process id and takes over.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        if (m_lock->error() != QLockFile::LockFailedError) {
            m_lock.reset();
            return Role::Failed;
        }
        m_lock.reset();
        // The first copy may still be between taking the lock and listening:
        // keep trying for a few seconds.
        return sendToFirst(path, 5000) ? Role::Second : Role::Failed;
    }

    // We own the lock, so any socket file left there is stale.
    QLocalServer::removeServer(socketPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(socketPath)) {
        delete m_server;
        m_server = nullptr;
        m_lock->unlock();
        m_lock.reset();
        return Role::Failed;
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    return Role::First;
}

bool SingleInstance::sendToFirst(const QString &path, int waitMs)
{
    const QString socketPath = serverPath(m_name);
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(1000)) {
            QByteArray message(kRaiseTag);
            message += '\n';
            message += path.toUtf8();
            message += '\n';
            socket.write(message);
            if (!socket.waitForBytesWritten(2000))
                return false;
            // Wait for the answer so that the first copy has read the message
            // before this process goes away.
            while (!socket.canReadLine()) {
                if (!socket.waitForReadyRead(3000))
                    break;
            }
            socket.disconnectFromServer();
            return true;
        }
        if (clock.elapsed() >= waitMs)
            return false;
        QThread::msleep(50);
    }
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
            *buffer += socket->readAll();
            const qsizetype first = buffer->indexOf('\n');
            if (first < 0)
                return;
            const qsizetype second = buffer->indexOf('\n', first + 1);
            if (second < 0)
                return;
            const bool raise = buffer->left(first) == kRaiseTag;
            const QString path = QString::fromUtf8(buffer->mid(first + 1, second - first - 1));
            buffer->clear();
            socket->write(kAnswer);
            socket->flush();
            if (raise)
                emit activationRequested(path);
        });
    }
}

} // namespace platform
