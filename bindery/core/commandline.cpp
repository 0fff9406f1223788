#include "commandline.h"

#include <platform/commandline.h>

#include <algorithm>

namespace bindery {

namespace {

// Characters no path of the command line may hold; on Windows the slash was
// one of them, here it separates folders and so belongs to paths.
bool endsPath(QChar c)
{
    return c == u'*' || c == u'?' || c == u'"' || c == u'<' || c == u'>' || c == u'|';
}

} // namespace

QString usageText()
{
    return QStringLiteral(
        "usage: bindery [--] [PATH...]\n"
        "       bindery /D FOLDER\n"
        "       bindery --screenshot FILE [--] [PATH...]\n"
        "       bindery --help | --version\n"
        "\n"
        "PATH: pictures (.jpg .jpeg .png .bmp), books (.kvb) or a folder; one book alone\n"
        "opens that book, anything else starts a new book from the pages.\n"
        "  /D FOLDER          open the folder as a new document (its name gives the title)\n"
        "  --screenshot FILE  write the window to FILE (PNG) once the paths are taken, then exit\n"
        "  --                 ends the options: every word after it is a path\n");
}

std::optional<int> readLaunchArguments(const platform::ProgramArguments &arguments, LaunchArguments &launch)
{
    platform::ProgramCommandLine line(
        {QStringLiteral("bindery"), QStringLiteral("Bindery"), usageText()},
        {QCommandLineOption(QStringLiteral("screenshot"), QString(), QStringLiteral("FILE"))});
    if (const std::optional<int> status = line.read(arguments))
        return status;
    launch.screenshot = line.value(QStringLiteral("screenshot"));
    const QStringList positional = line.positionalArguments();
    launch.words = positional.mid(0, line.positionalBeforeEnd());
    launch.paths = positional.mid(line.positionalBeforeEnd());
    launch.unusable = arguments.unusable;
    return std::nullopt;
}

QString joinArguments(const QStringList &arguments)
{
    QStringList words;
    for (const QString &argument : arguments) {
        const bool spaced = std::any_of(argument.begin(), argument.end(), [](QChar c) { return c.isSpace(); });
        words << (spaced ? u'"' + argument + u'"' : argument);
    }
    return words.join(u' ');
}

CommandLine splitCommandLine(const QString &line, const std::function<bool(const QString &)> &pathExists,
                             bool optionsAllowed)
{
    CommandLine result;
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
            skipWord();
            const QString word = line.mid(start, i - start);
            // An option never holds a second '/'; such a word is an absolute
            // path even when nothing lies there, so a missing "/data/..."
            // path does not turn into the "/D" option.
            if (!optionsAllowed || word.indexOf(u'/', 1) > 0 || (pathExists && pathExists(word))) {
                result.paths << word;
            } else if (word.size() >= 2 && (word[1] == u'D' || word[1] == u'd')) {
                result.openFolderAsDocument = true;
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

} // namespace bindery
