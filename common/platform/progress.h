#pragma once

#include <QString>

namespace platform {

// What long work tells whoever shows it (a progress dialog, a status line
// with a bar, a wait cursor, a command line), and how it learns that the user
// asked it to stop. Every call has a default that does nothing, so an
// onlooker takes only what it shows, and a plain Progress stands in where
// nobody looks.
class Progress {
public:
    virtual ~Progress() = default;

    // The work starts, with a title and the positions 0..range it will
    // report (range 0 when it does not count its items). Starting clears an
    // earlier cancel request. Work may start inside other work; every begin
    // has its end.
    virtual void begin(const QString &title, int range) { (void)title; (void)range; }
    virtual void setText(const QString &text) { (void)text; }
    virtual void setPosition(int position) { (void)position; }
    virtual void end() {}
    // Between items, and while waiting for other threads: keep the window
    // alive.
    virtual void processEvents() {}
    // Read after each item: true once the user asked to stop.
    virtual bool cancelRequested() { return false; }
};

// Begins work when made and ends it when it goes, on every way out.
class ProgressScope {
public:
    explicit ProgressScope(Progress &progress, const QString &title = {}, int range = 0)
        : m_progress(progress)
    {
        m_progress.begin(title, range);
    }
    ~ProgressScope() { m_progress.end(); }
    ProgressScope(const ProgressScope &) = delete;
    ProgressScope &operator=(const ProgressScope &) = delete;

private:
    Progress &m_progress;
};

} // namespace platform
