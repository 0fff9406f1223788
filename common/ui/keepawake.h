#pragma once

#include <QString>

#include <cstdint>

namespace platform {

// Keeps the screen saver and display sleep away while held (Display: the
// session's org.freedesktop.ScreenSaver service), or only the system's idle
// suspend (System: org.freedesktop.PowerManagement.Inhibit), and releases the
// request on release() or destruction. Without a session bus or the service
// it does nothing, silently.
class KeepAwake {
public:
    enum class Kind { Display, System };

    KeepAwake(QString application, QString reason, Kind kind = Kind::Display);
    ~KeepAwake();
    KeepAwake(const KeepAwake &) = delete;
    KeepAwake &operator=(const KeepAwake &) = delete;

    void hold();
    void release();
    bool isHeld() const { return m_held; }
    // True while the service granted a request (false without a bus).
    bool isInhibiting() const { return m_cookie != 0; }

private:
    QString m_application;
    QString m_reason;
    Kind m_kind;
    bool m_held = false;
    uint32_t m_cookie = 0;
};

} // namespace platform
