#include "commandline.h"

#include <platform/settingsreaders.h>

#include <QCommandLineParser>

namespace retouch {

QString usageText()
{
    return QStringLiteral(
        "usage: retouch [IMAGE]\n"
        "       retouch --screenshot FILE [IMAGE]\n"
        "       retouch --apply PROFILE.csv [--quality Q] --output DIR [--quiet] IMAGE...\n"
        "       retouch --help | --version\n"
        "\n"
        "  --screenshot FILE  write the window to FILE (PNG) after start-up, then exit\n"
        "  --apply PROFILE    apply a stripe profile (.csv) to each IMAGE without a window\n"
        "  --quality Q        the JPEG quality of the results, 0 to 100 (the stored one without it)\n"
        "  --output DIR       where the results go, under each picture's own name\n"
        "  --quiet            no progress line (shown while standard error is a terminal)\n"
        "  --                 ends the options\n");
}

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine line;
    auto usageError = [&line](const QString &error) {
        line.mode = CommandLine::UsageError;
        line.error = error;
        return line;
    };

    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption apply(QStringLiteral("apply"), QString(), QStringLiteral("PROFILE"));
    const QCommandLineOption quality(QStringLiteral("quality"), QString(), QStringLiteral("Q"));
    const QCommandLineOption output(QStringLiteral("output"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption quiet(QStringLiteral("quiet"));
    parser.addOptions({help, version, screenshot, apply, quality, output, quiet});
    if (!parser.parse(arguments))
        return usageError(parser.errorText());

    if (parser.isSet(help)) {
        line.mode = CommandLine::Help;
        return line;
    }
    if (parser.isSet(version)) {
        line.mode = CommandLine::Version;
        return line;
    }
    for (const QCommandLineOption *option : {&screenshot, &apply, &quality, &output})
        if (parser.values(*option).size() > 1)
            return usageError(QStringLiteral("--%1 given twice").arg(option->names().constFirst()));

    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(apply)) {
        if (parser.isSet(screenshot))
            return usageError(QStringLiteral("--screenshot does not go with --apply"));
        if (!parser.isSet(output))
            return usageError(QStringLiteral("--apply needs --output DIR"));
        if (positional.isEmpty())
            return usageError(QStringLiteral("--apply needs at least one image"));
        if (parser.isSet(quality)) {
            const std::optional<int> q = platform::parseInt(parser.value(quality));
            if (!q || *q < 0 || *q > 100)
                return usageError(QStringLiteral("--quality takes a number from 0 to 100"));
            line.quality = *q;
        }
        line.mode = CommandLine::Apply;
        line.profile = parser.value(apply);
        line.outputFolder = parser.value(output);
        line.images = positional;
        line.quiet = parser.isSet(quiet);
        return line;
    }
    if (parser.isSet(quality) || parser.isSet(output) || parser.isSet(quiet))
        return usageError(QStringLiteral("--quality, --output and --quiet go with --apply"));
    if (positional.size() > 1)
        return usageError(QStringLiteral("one image at most"));
    line.screenshot = parser.value(screenshot);
    line.image = positional.value(0);
    return line;
}

} // namespace retouch
