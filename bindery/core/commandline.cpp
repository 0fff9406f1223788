#include "commandline.h"

#include <platform/commandline.h>
#include <platform/commandwords.h>

namespace bindery {

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
    return std::nullopt;
}

CommandLine splitCommandLine(const QString &line, const std::function<bool(const QString &)> &pathExists,
                             bool optionsAllowed)
{
    const platform::CommandWords words = platform::splitCommandLine(line, pathExists, optionsAllowed);
    CommandLine result;
    result.paths = words.paths;
    for (const QString &option : words.options)
        if (option.size() >= 2 && (option[1] == u'D' || option[1] == u'd'))
            result.openFolderAsDocument = true;
    return result;
}

} // namespace bindery
