#include "driver.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace faultdriver {

int runDriver(int argc, char **argv, const std::map<QString, Save> &saves)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Velloran"));
    QStringList words = QCoreApplication::arguments().mid(1);
    const auto save = words.isEmpty() ? saves.end() : saves.find(words.takeFirst());
    if (save == saves.end() || words.isEmpty()) {
        std::fprintf(stderr, "usage: %s SAVE WORDS... (see its source)\n", argv[0]);
        return 2;
    }
    platform::ScriptedPrompt prompt;
    const bool ok = save->second(prompt, words);
    for (const QString &text : prompt.texts())
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    return ok ? 0 : 1;
}

QString absolutePath(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

QStringList absolutePaths(const QStringList &paths)
{
    QStringList result;
    for (const QString &path : paths)
        result << absolutePath(path);
    return result;
}

} // namespace faultdriver
