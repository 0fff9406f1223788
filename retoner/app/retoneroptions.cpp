#include "retoneroptions.h"

#include <platform/version.h>

#include <QCommandLineParser>

namespace retoner {

QString retonerUsage()
{
    return QStringLiteral(
        "usage: retoner [--screenshot FILE.png] [--] [IMAGE...]\n"
        "       retoner --batch [--settings FILE.tnp] [--classify 0|1|2|3] [--output DIR] [--quiet] [--] FILE...\n"
        "       retoner --write-default-settings FILE.tnp\n"
        "       retoner --help | --version\n"
        "\n"
        "Without --batch the window opens and registers the images given.\n"
        "  --batch             convert the files without a window into the output folder\n"
        "  --settings FILE     conversion settings (.tnp); the defaults without it\n"
        "  --classify MODE     0 automatic, one saturated hue is colour (default);\n"
        "                      1 automatic, one saturated hue is monochrome; 2 all colour; 3 all monochrome\n"
        "  --output DIR        the output folder (instead of the one in the settings)\n"
        "  --quiet             no progress line (shown while standard error is a terminal)\n"
        "  --write-default-settings FILE   write the default settings and exit\n"
        "  --screenshot FILE   write the window as PNG once the images are shown, then exit\n"
        "  --                  ends the options: every word after it is a file");
}

QString retonerVersionLine()
{
    return QStringLiteral("Retoner") + platform::versionText();
}

RetonerOptions parseRetonerOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("help"), QStringLiteral("h")});
    const QCommandLineOption version(QStringList{QStringLiteral("version"), QStringLiteral("v")});
    const QCommandLineOption batch(QStringLiteral("batch"));
    const QCommandLineOption settings(QStringLiteral("settings"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption classify(QStringLiteral("classify"), QString(), QStringLiteral("MODE"),
                                      QStringLiteral("0"));
    const QCommandLineOption output(QStringLiteral("output"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption defaults(QStringLiteral("write-default-settings"), QString(),
                                      QStringLiteral("FILE"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption quiet(QStringLiteral("quiet"));
    parser.addOptions({help, version, batch, settings, classify, output, defaults, screenshot, quiet});

    RetonerOptions options;
    const auto usageError = [&](const QString &error) {
        options.mode = RetonerOptions::UsageError;
        options.error = error;
        return options;
    };
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        options.mode = RetonerOptions::Help;
        return options;
    }
    if (parser.isSet(version)) {
        options.mode = RetonerOptions::Version;
        return options;
    }
    options.files = parser.positionalArguments();
    if (parser.isSet(defaults)) {
        options.mode = RetonerOptions::WriteDefaults;
        options.defaultsFile = parser.value(defaults);
        return options;
    }
    if (!parser.isSet(batch)) {
        for (const QCommandLineOption *only : {&settings, &classify, &output, &quiet})
            if (parser.isSet(*only))
                return usageError(QStringLiteral("--%1 works only with --batch").arg(only->names().first()));
        options.screenshot = parser.value(screenshot);
        return options;
    }
    if (parser.isSet(screenshot))
        return usageError(QStringLiteral("--screenshot works only without --batch"));
    options.mode = RetonerOptions::Batch;
    bool modeOk = false;
    options.classifyMode = parser.value(classify).toInt(&modeOk);
    if (!modeOk || options.classifyMode < 0 || options.classifyMode > 3)
        return usageError(QStringLiteral("--classify takes 0, 1, 2 or 3"));
    if (options.files.isEmpty())
        return usageError(QStringLiteral("no files given"));
    options.hasSettings = parser.isSet(settings);
    options.settingsFile = parser.value(settings);
    options.hasOutput = parser.isSet(output);
    options.outputFolder = parser.value(output);
    options.quiet = parser.isSet(quiet);
    return options;
}

} // namespace retoner
