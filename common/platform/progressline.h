#pragma once

#include "progress.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <functional>

namespace platform {

// The one line a long command-line run shows while it works:
//   "変換中 12/340  0:42 elapsed  1:13 left  scans/page-0012.jpg"
// the title (when there is one), items done of all, the time since the work
// began, the time still to go at the pace so far, and the item in work; the
// name is shortened at its front to fit the terminal's width, since a line
// that wraps can no longer be redrawn in place.
QString progressLineText(const QString &title, int done, int total, const QString &name, int64_t elapsedMs,
                         int columns);

// How many terminal columns a text takes: East Asian wide and full-width
// characters two, combining marks none, everything else one.
int terminalColumns(QStringView text);

// Shows the work reported to it as that line on standard error, redrawn in
// place, when standard error is a terminal (not TERM=dumb) and the run was
// not asked to be quiet; otherwise it shows nothing, so a log or a pipe gets the run's own
// lines only. The line goes when the work ends, before the run prints its
// summary. While it is shown, whatever the program writes to the terminal
// through writeText() or printLine() appears above it: the line is erased
// first and drawn again after a whole line.
class ProgressLine : public Progress {
public:
    explicit ProgressLine(bool quiet);

    // Where a test draws the line: its stream, the width in columns, and the
    // clock in milliseconds.
    struct Terminal {
        FILE *stream = nullptr;
        int columns = 80;
        std::function<int64_t()> clock;
    };
    explicit ProgressLine(const Terminal &terminal);
    ~ProgressLine() override;
    ProgressLine(const ProgressLine &) = delete;
    ProgressLine &operator=(const ProgressLine &) = delete;

    // Whether anything is drawn at all.
    bool shown() const { return m_stream != nullptr; }

    // Only the outermost work is counted; work begun inside it (a folder
    // packed within a run) goes unseen.
    void begin(const QString &title, int range) override;
    void setText(const QString &text) override;
    void setPosition(int position) override;
    void end() override;

    // The line shown now; empty when none.
    QString text() const { return m_drawn ? m_lastText : QString(); }

    // Writes bytes to a stream, above the line that is shown on the same
    // terminal (the line is erased first and drawn again after a line end).
    static void writeAbove(FILE *stream, const QByteArray &bytes);

private:
    void draw(bool always);
    void erase();
    void put(const QByteArray &bytes);
    int64_t now() const;
    int columns() const;
    bool sharesTerminalWith(FILE *stream) const;

    FILE *m_stream = nullptr;
    int m_fixedColumns = 0;
    std::function<int64_t()> m_clock;
    QElapsedTimer m_timer;
    int m_depth = 0;
    QString m_title;
    QString m_name;
    int m_total = 0;
    int m_done = 0;
    int64_t m_started = 0;
    int64_t m_lastDraw = -1;
    bool m_drawn = false;
    QString m_lastText;
};

} // namespace platform
