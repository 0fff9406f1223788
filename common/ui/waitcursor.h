#pragma once

namespace platform {

// Shows the wait cursor while it lives. Without a widget application (tests
// and tools driving the models on a core application) it does nothing.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    bool m_shown;
};

} // namespace platform
