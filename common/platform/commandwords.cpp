#include "commandwords.h"

#include <algorithm>

namespace platform {

namespace {

// Characters no path of the command line may hold; on Windows the slash was
// one of them, here it separates folders and so belongs to paths.
bool endsPath(QChar c)
{
    return c == u'*' || c == u'?' || c == u'"' || c == u'<' || c == u'>' || c == u'|';
}

} // namespace

QString joinArguments(const QStringList &arguments)
{
    QStringList words;
    for (const QString &argument : arguments) {
        const bool spaced = std::any_of(argument.begin(), argument.end(), [](QChar c) { return c.isSpace(); });
        words << (spaced ? u'"' + argument + u'"' : argument);
    }
    return words.join(u' ');
}

CommandWords splitCommandLine(const QString &line, const std::function<bool(const QString &)> &pathExists,
                              bool optionsAllowed)
{
    CommandWords result;
    const qsizetype n = line.size();
    qsizetype i = 0;
    auto skipWord = [&] {
        while (i < n && !line[i].isSpace())
            ++i;
    };
    while (i < n) {
        if (line[i].isSpace()) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        if (line[i] == u'/') {
            while (i < n && !line[i].isSpace() && !endsPath(line[i]))
                ++i;
            const QString path = line.mid(start, i - start);
            skipWord();
            // An option never holds a second '/'; such a word is an absolute
            // path even when nothing lies there, so a missing "/data/..."
            // path does not turn into an option. A path ends like any other.
            if (!optionsAllowed || path.indexOf(u'/', 1) > 0 || (pathExists && pathExists(path))) {
                if (!path.isEmpty())
                    result.paths << path;
            } else {
                result.options << line.mid(start, i - start);
            }
            continue;
        }
        if (line[i] == u'"') {
            ++i;
            const qsizetype from = i;
            while (i < n && !endsPath(line[i]))
                ++i;
            const QString path = line.mid(from, i - from);
            if (!path.isEmpty())
                result.paths << path;
            if (i < n && line[i] == u'"')
                ++i;
            skipWord();
            continue;
        }
        while (i < n && !line[i].isSpace() && !endsPath(line[i]))
            ++i;
        if (i > start)
            result.paths << line.mid(start, i - start);
        skipWord();
    }
    return result;
}

} // namespace platform
