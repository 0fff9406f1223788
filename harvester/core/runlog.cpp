#include "runlog.h"

#include <QList>

namespace harvester {

void RunLog::AppendLog(const QString &text)
{
    for (const QStringView line : QStringView(text).split(u'\n'))
        m_lines.push_back(line.toString());
    while (m_lines.size() > size_t(kMaxLines))
        m_lines.pop_front();
}

QString RunLog::logText() const
{
    QString text;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (i > 0)
            text += u'\n';
        text += m_lines[i];
    }
    return text;
}

} // namespace harvester
