#include "commandline.h"

#include "filenames.h"
#include "progressline.h"
#include "version.h"

#include <QFile>

#include <cstdio>

namespace platform {

ProgramCommandLine::ProgramCommandLine(ProgramInfo info, const QList<QCommandLineOption> &options)
    : m_info(std::move(info)), m_options(options)
{
    m_options << QCommandLineOption(QStringList{QStringLiteral("help"), QStringLiteral("h")})
              << QCommandLineOption(QStringList{QStringLiteral("version"), QStringLiteral("v")});
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    m_parser.addOptions(m_options);
}

bool ProgramCommandLine::takesValue(const QString &name) const
{
    for (const QCommandLineOption &option : m_options) {
        if (option.names().contains(name))
            return !option.valueName().isEmpty();
    }
    return false;
}

ProgramCommandLine::Outcome ProgramCommandLine::parse(const QStringList &arguments)
{
    m_error.clear();
    m_positionalBeforeEnd = 0;
    if (!m_parser.parse(arguments)) {
        const QStringList unknown = m_parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const QString &name = unknown.constFirst();
            m_error = QStringLiteral("unknown option %1%2").arg(name.size() == 1 ? "-" : "--", name);
        } else {
            m_error = m_parser.errorText();
        }
        return Outcome::UsageError;
    }
    // Where "--" stood among the positional arguments: the same walk as the
    // parser's, skipping the values of options that take one.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &word = arguments[i];
        if (word == QLatin1String("--"))
            break;
        if (word.size() > 1 && word.startsWith(u'-')) {
            const QString name = word.mid(word.startsWith(QLatin1String("--")) ? 2 : 1).section(u'=', 0, 0);
            if (takesValue(name) && !word.contains(u'='))
                ++i;
            continue;
        }
        ++m_positionalBeforeEnd;
    }
    if (m_parser.isSet(QStringLiteral("help")))
        return Outcome::Help;
    if (m_parser.isSet(QStringLiteral("version")))
        return Outcome::Version;
    return Outcome::Run;
}

std::optional<int> ProgramCommandLine::read(const QStringList &arguments)
{
    switch (parse(arguments)) {
    case Outcome::Run: return std::nullopt;
    case Outcome::Help: return showUsage();
    case Outcome::Version: return showVersion();
    case Outcome::UsageError: break;
    }
    return usageError(m_error);
}

std::optional<int> ProgramCommandLine::read(const ProgramArguments &arguments)
{
    const QStringList &usable = arguments.usable;
    const qsizetype end = usable.indexOf(QStringLiteral("--"), 1);
    for (qsizetype i = 0; i < arguments.unusable.size(); ++i) {
        const qsizetype at = arguments.unusableAt.value(i);
        if (at < 2 || (end >= 0 && end < at))
            continue;
        const QString &before = usable[at - 1];
        if (!before.startsWith(u'-') || before.contains(u'='))
            continue;
        const QString name = before.mid(before.startsWith(QLatin1String("--")) ? 2 : 1);
        if (takesValue(name))
            return usageError(QStringLiteral("%1: the name %2 is not valid UTF-8").arg(before, arguments.unusable[i]));
    }
    return read(usable);
}

int ProgramCommandLine::usageError(const QString &line) const
{
    writeText(stderr, m_info.command + QStringLiteral(": ") + escapedText(line) + u'\n');
    return 2;
}

int ProgramCommandLine::showUsage() const
{
    writeText(stdout, m_info.usage.endsWith(u'\n') ? m_info.usage : m_info.usage + u'\n');
    return 0;
}

int ProgramCommandLine::showVersion() const
{
    writeText(stdout, versionLine() + u'\n');
    return 0;
}

int ProgramCommandLine::refuseUnusable(const QStringList &unusable) const
{
    for (const QString &name : unusable)
        writeText(stderr, QStringLiteral("%1: %2: the name is not valid UTF-8 and cannot be used; nothing was done\n")
                              .arg(m_info.command, name));
    return 1;
}

QString ProgramCommandLine::versionLine() const
{
    return m_info.name + versionText();
}

ProgramArguments programArguments(int argc, const char *const *argv)
{
    ProgramArguments result;
    for (int i = 0; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        if (i == 0 || isRepresentableName(raw)) {
            result.usable << QFile::decodeName(raw);
        } else {
            result.unusable << escapedName(raw);
            result.unusableAt << result.usable.size();
        }
    }
    return result;
}

void writeText(FILE *stream, const QString &text)
{
    ProgressLine::writeAbove(stream, text.toUtf8());
}

void printLine(FILE *stream, const QString &text)
{
    writeText(stream, text + u'\n');
}

} // namespace platform
