#include "language.h"

#include "qttexts.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QTranslator>

#include <memory>
#include <optional>
#include <vector>

namespace ui {

namespace {

// What a locale name or a LANGUAGE entry asks for; nullopt when it names
// nothing (empty).
std::optional<Language> languageOfLocale(QStringView name)
{
    if (name.isEmpty())
        return std::nullopt;
    if (name.startsWith(u"ja") || name == u"C" || name.startsWith(u"C.") || name == u"POSIX")
        return Language::Japanese;
    return Language::English;
}

std::vector<std::unique_ptr<QTranslator>> &installedTranslators()
{
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

} // namespace

Language languageFromEnvironment(const QProcessEnvironment &environment)
{
    const QString chosen = environment.value(QStringLiteral("VELLORAN_LANG"));
    if (chosen == u"ja")
        return Language::Japanese;
    if (chosen == u"en")
        return Language::English;

    for (const QString &entry : environment.value(QStringLiteral("LANGUAGE")).split(u':', Qt::SkipEmptyParts)) {
        if (entry.startsWith(u"ja"))
            return Language::Japanese;
        if (entry.startsWith(u"en"))
            return Language::English;
    }

    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const auto language = languageOfLocale(environment.value(QString::fromLatin1(variable))))
            return *language;
    }
    return Language::Japanese;
}

QString languageCode(Language language)
{
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("ja");
}

QStringList translationFolders()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {QDir::cleanPath(programFolder + QStringLiteral("/../translations")),
            QDir::cleanPath(programFolder + QStringLiteral("/../share/velloran/translations"))};
}

bool loadTexts(QStringView program, Language language, const QStringList &folders)
{
    auto &installed = installedTranslators();
    for (const auto &translator : installed)
        QCoreApplication::removeTranslator(translator.get());
    installed.clear();

    bool complete = loadQtTexts(languageCode(language));
    if (language == Language::Japanese)
        return complete;

    for (const QString &file : {QStringLiteral("common_en"), program.toString() + QStringLiteral("_en")}) {
        auto translator = std::make_unique<QTranslator>();
        bool loaded = false;
        for (const QString &folder : folders) {
            if (translator->load(file, folder)) {
                loaded = true;
                break;
            }
        }
        if (!loaded) {
            complete = false;
            continue;
        }
        QCoreApplication::installTranslator(translator.get());
        installed.push_back(std::move(translator));
    }
    return complete;
}

Language loadTexts(QStringView program)
{
    const Language language = languageFromEnvironment();
    if (!loadTexts(program, language))
        qWarning("%s: some of the %s texts are missing; those are shown in Japanese", qUtf8Printable(program.toString()),
                 language == Language::English ? "English" : "Qt's Japanese");
    return language;
}

} // namespace ui
