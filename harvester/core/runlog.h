#pragma once

#include <QString>

#include <deque>

namespace harvester {

// The run log: the latest lines of the runs, as the log box shows them. A
// text with line feeds in it counts as that many lines.
class RunLog {
public:
    static constexpr int kMaxLines = 1025;

    void AppendLog(const QString &text);
    void clear() { m_lines.clear(); }

    // The whole log, lines joined by '\n'.
    QString logText() const;
    int lineCount() const { return int(m_lines.size()); }
    const std::deque<QString> &lines() const { return m_lines; }

private:
    std::deque<QString> m_lines;
};

} // namespace harvester
