#pragma once

#include <platform/progress.h>

namespace platform {

// Long work shown the plain way: the wait cursor while it runs (work inside
// other work keeps it), and the window kept painted between items without
// taking the user's input.
class BusyProgress : public Progress {
public:
    void begin(const QString &title, int range) override;
    void end() override;
    void processEvents() override;
    bool busy() const { return m_depth > 0; }

private:
    int m_depth = 0;
};

} // namespace platform
