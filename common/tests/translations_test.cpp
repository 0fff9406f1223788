// The English translations against the code: every text the code marks for
// translation has a finished English text in its .ts file, nothing in the
// .ts file is left over from texts the code no longer has, and each English
// text keeps its source's placeholders and accelerator and holds no Japanese.
#include "visibletexts.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

struct Message {
    QString translation;
    QString type; // "" when finished
};

struct TsFile {
    QString language, sourceLanguage;
    QMap<QPair<QString, QString>, Message> messages; // by (context, source)
    QString error;
};

TsFile readTs(const QString &path)
{
    TsFile ts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ts.error = QStringLiteral("cannot open ") + path;
        return ts;
    }
    QXmlStreamReader xml(&file);
    QString context, source;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == u"TS") {
                ts.language = xml.attributes().value(QStringLiteral("language")).toString();
                ts.sourceLanguage = xml.attributes().value(QStringLiteral("sourcelanguage")).toString();
            } else if (name == u"name") {
                context = xml.readElementText();
            } else if (name == u"message") {
                source.clear();
                message = {};
            } else if (name == u"source") {
                source = xml.readElementText();
            } else if (name == u"translation") {
                message.type = xml.attributes().value(QStringLiteral("type")).toString();
                message.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        } else if (xml.isEndElement() && xml.name() == u"message") {
            ts.messages.insert({context, source}, message);
        }
    }
    if (xml.hasError())
        ts.error = path + QStringLiteral(": ") + xml.errorString();
    return ts;
}

// The placeholders of a text (%1, %L2, %n), in order of their numbers.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression placeholder(QStringLiteral("%L?\\d+|%n"));
    QStringList found;
    for (const auto &match : placeholder.globalMatch(text))
        found << match.captured();
    found.sort();
    return found;
}

// How many accelerators a text marks (a single &, not the && of a literal &).
int accelerators(QString text)
{
    text.remove(QStringLiteral("&&"));
    return int(text.count(u'&'));
}

struct Translation {
    QString ts;
    QStringList sources;
};

struct TranslationList {
    QString lupdate;
    QStringList options;
    QList<Translation> translations;
};

TranslationList readList()
{
    TranslationList list;
    QFile file(QStringLiteral(VELLORAN_BUILD_DIR "/translations/translations.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return list;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(u'\t');
        if (fields.size() != 3)
            continue;
        if (fields[0] == u"lupdate") {
            list.lupdate = fields[1];
            list.options = fields[2].split(u';');
        } else if (fields[0] == u"ts") {
            list.translations.append({fields[1], fields[2].split(u';')});
        }
    }
    return list;
}

TEST(Translations, EveryTextOfTheCodeHasAFinishedEnglishText)
{
    const TranslationList list = readList();
    ASSERT_FALSE(list.lupdate.isEmpty()) << "the build's translations/translations.txt is missing";
    // The common texts and the six window programs.
    ASSERT_EQ(list.translations.size(), 7);

    for (const Translation &translation : list.translations) {
        SCOPED_TRACE(translation.ts.toStdString());
        const TsFile committed = readTs(translation.ts);
        ASSERT_TRUE(committed.error.isEmpty()) << committed.error.toStdString();
        EXPECT_EQ(committed.language, u"en");
        EXPECT_EQ(committed.sourceLanguage, u"ja");

        // What lupdate finds in the code now, merged into a copy of the file.
        QTemporaryDir folder;
        const QString copy = folder.filePath(QStringLiteral("current.ts"));
        ASSERT_TRUE(QFile::copy(translation.ts, copy));
        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(list.lupdate, list.options + translation.sources + QStringList{QStringLiteral("-ts"), copy});
        ASSERT_TRUE(lupdate.waitForFinished(120000)) << "lupdate did not finish";
        ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAll().toStdString();
        const TsFile current = readTs(copy);
        ASSERT_TRUE(current.error.isEmpty()) << current.error.toStdString();
        EXPECT_GT(current.messages.size(), 0) << "the code marks no text for translation";

        QStringList faults;
        for (auto it = current.messages.cbegin(); it != current.messages.cend(); ++it) {
            const QString name = it.key().first + QStringLiteral(" / ") + it.key().second;
            const auto found = committed.messages.constFind(it.key());
            if (found == committed.messages.cend()) {
                faults << QStringLiteral("not in the .ts file (run the update_translations target): ") + name;
                continue;
            }
            const Message &message = *found;
            if (!message.type.isEmpty() || message.translation.isEmpty()) {
                faults << QStringLiteral("unfinished: ") + name;
                continue;
            }
            if (placeholders(it.key().second) != placeholders(message.translation))
                faults << QStringLiteral("placeholders differ: ") + name + QStringLiteral(" -> ") + message.translation;
            if (accelerators(it.key().second) != accelerators(message.translation))
                faults << QStringLiteral("accelerators differ: ") + name + QStringLiteral(" -> ") + message.translation;
            if (testsupport::containsJapanese(message.translation))
                faults << QStringLiteral("Japanese in the English text: ") + name + QStringLiteral(" -> ") + message.translation;
        }
        for (auto it = committed.messages.cbegin(); it != committed.messages.cend(); ++it) {
            if (!current.messages.contains(it.key()))
                faults << QStringLiteral("no longer in the code: ") + it.key().first + QStringLiteral(" / ") + it.key().second;
        }
        EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
    }
}

} // namespace
