#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

namespace platform {

// How a window program's start-up went under the single-instance rule.
enum class StartResult {
    Running,         // the window is shown
    AnotherCopyRuns, // that copy was asked to come forward; end quietly
    Failed,          // the single-instance lock failed ("CreateMutex: Failed.")
};

// One running copy per user: the first copy holds a lock file and listens on
// a local socket, both named after `name` and the user id and kept in the
// temporary folder ($TMPDIR or /tmp). A later copy finds the lock taken, connects, asks
// the first copy to raise its window (handing over a path, possibly empty)
// and is expected to end.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Role {
        First,  // this copy runs; activationRequested reports later starts
        Second, // another copy runs and has been asked to come forward
        Failed, // neither: the lock or the socket cannot be had
    };

    explicit SingleInstance(const QString &name, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Decides the role of this process. `path` is passed to the first copy
    // when this one is second.
    Role start(const QString &path = {});

    // The socket's full path: <temporary folder>/<name>.<user id>.
    static QString serverPath(const QString &name);

signals:
    // A later copy asked this one to restore and raise its window.
    void activationRequested(const QString &path);

private:
    bool sendToFirst(const QString &path, int waitMs);
    void onNewConnection();

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};

} // namespace platform
