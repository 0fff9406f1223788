#include "comicinfo.h"

#include "platform/textcompare.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

namespace kvb {

namespace {

using Element = std::pair<QString, QString>; // name, value

// The elements of the ComicInfo schema in the order its sequence gives them;
// elements written in this order pass a validating reader.
const char *const kSchemaOrder[] = {
    "Title", "Series", "Number", "Count", "Volume", "AlternateSeries", "AlternateNumber", "AlternateCount",
    "Summary", "Notes", "Year", "Month", "Day", "Writer", "Penciller", "Inker", "Colorist", "Letterer",
    "CoverArtist", "Editor", "Translator", "Publisher", "Imprint", "Genre", "Tags", "Web", "PageCount",
    "LanguageISO", "Format", "BlackAndWhite", "Manga", "Characters", "Teams", "Locations", "ScanInformation",
    "StoryArc", "StoryArcNumber", "SeriesGroup", "AgeRating", "Pages", "CommunityRating",
    "MainCharacterOrTeam", "Review", "GTIN"};

// The elements the mapping to a book's attributes takes; Artist is no schema
// element, but some writers use it.
const char *const kMapped[] = {"Title", "Series", "Number", "Writer", "Penciller", "Artist",
                               "Publisher", "Imprint", "Year", "Month", "Day", "Manga"};

const QString kRightToLeft = QStringLiteral("YesAndRightToLeft");

bool isMapped(QStringView name)
{
    return std::any_of(std::begin(kMapped), std::end(kMapped),
                       [&](const char *mapped) { return name == QLatin1String(mapped); });
}

int schemaPosition(QStringView name)
{
    const auto it = std::find_if(std::begin(kSchemaOrder), std::end(kSchemaOrder),
                                 [&](const char *known) { return name == QLatin1String(known); });
    return int(it - std::begin(kSchemaOrder));
}

// One line, as a book's texts are: white space runs become one space, other
// control characters go.
QString oneLine(const QString &text)
{
    QString line = text.simplified();
    line.removeIf([](QChar c) { return platform::isControlCharacter(c); });
    return line;
}

// At most `limit` characters, never ending inside a surrogate pair; with
// `mark`, a text that is cut ends in "…".
QString cut(const QString &text, qsizetype limit, bool mark)
{
    if (text.size() <= limit)
        return text;
    qsizetype keep = mark ? limit - 1 : limit;
    if (keep > 0 && text[keep - 1].isHighSurrogate())
        --keep;
    return text.left(keep) + (mark ? QStringLiteral("…") : QString());
}

QString bookText(const QString &value)
{
    return cut(oneLine(value), kMaxTextChars, true);
}

// A date part: the number when it lies in low..high, else 0 (open). The
// schema writes -1 for an unknown part.
int datePart(const QString &value, int low, int high)
{
    bool ok = false;
    const int n = value.trimmed().toInt(&ok);
    return ok && n >= low && n <= high ? n : 0;
}

void addOnce(QStringList &names, const QString &name)
{
    if (!name.isEmpty() && !names.contains(name))
        names << name;
}

// An XML element name without a namespace prefix and not one of the names
// XML keeps for itself.
bool isElementName(QStringView name)
{
    if (name.isEmpty() || name.startsWith(QLatin1String("xml"), Qt::CaseInsensitive))
        return false;
    if (!name[0].isLetter() && name[0] != u'_')
        return false;
    return std::all_of(name.begin(), name.end(), [](QChar c) {
        return c.isLetterOrNumber() || c.isMark() || c == u'_' || c == u'-' || c == u'.';
    });
}

// The characters XML 1.0 holds: no C0 control but tab and line ends, no lone
// surrogate (it becomes U+FFFD on the way through UTF-8), not U+FFFE or
// U+FFFF.
QString xmlText(const QString &text)
{
    QString out = QString::fromUtf8(text.toUtf8());
    out.removeIf([](QChar c) {
        return c.unicode() == 0xFFFE || c.unicode() == 0xFFFF
               || (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r');
    });
    return out;
}

} // namespace

std::optional<ComicInfo> readComicInfo(const QByteArray &xml, QString *error)
{
    QXmlStreamReader reader(xml);
    auto failed = [&](const QString &why) -> std::optional<ComicInfo> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    auto readerError = [&] {
        return QStringLiteral("line %1: %2").arg(reader.lineNumber()).arg(reader.errorString());
    };
    if (!reader.readNextStartElement())
        return failed(reader.hasError() ? readerError() : QStringLiteral("no element"));
    if (reader.name() != QLatin1String("ComicInfo"))
        return failed(QStringLiteral("the root element is %1, not ComicInfo").arg(reader.name()));
    std::vector<Element> elements;
    while (reader.readNextStartElement()) {
        const QString name = reader.name().toString();
        // Elements made of elements (Pages) have no value of their own.
        const QString value = oneLine(reader.readElementText(QXmlStreamReader::SkipChildElements));
        if (!value.isEmpty())
            elements.emplace_back(name, value);
    }
    // What follows the root must be well-formed too.
    while (!reader.atEnd() && !reader.hasError())
        reader.readNext();
    if (reader.hasError())
        return failed(readerError());

    auto values = [&](const char *name) {
        QStringList found;
        for (const Element &e : elements) {
            if (e.first == QLatin1String(name))
                found << e.second;
        }
        return found;
    };
    auto value = [&](const char *name) { return values(name).value(0); };

    ComicInfo info;
    info.principal.text(Title) = bookText(value("Title"));
    const QString series = value("Series");
    const QString number = value("Number");
    QString subtitle = series;
    if (!number.isEmpty())
        subtitle = series.isEmpty() ? QStringLiteral("#") + number : series + QStringLiteral(" #") + number;
    info.principal.text(Subtitle) = bookText(subtitle);

    QStringList authors;
    for (const char *role : {"Writer", "Penciller", "Artist"}) {
        for (const QString &names : values(role)) {
            for (const QString &name : names.split(u','))
                addOnce(authors, bookText(name));
        }
    }
    QStringList publishers;
    for (const char *role : {"Publisher", "Imprint"}) {
        for (const QString &name : values(role))
            addOnce(publishers, bookText(name));
    }
    for (const auto &[type, names] : {std::pair{Author, authors}, std::pair{Publisher, publishers}}) {
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (i == 0) {
                info.principal.text(type) = names[i];
            } else {
                AttributeEntry e;
                e.type = type;
                e.text = names[i];
                info.further.push_back(e);
            }
        }
    }

    const int year = datePart(value("Year"), 1, 9999);
    const int month = datePart(value("Month"), 1, 12);
    int day = datePart(value("Day"), 1, 31);
    if (day > lastAllowedDay(year, month))
        day = 0;
    if (year || month || day)
        info.principal.date = BookDate{year, month, day};

    info.bindRight = value("Manga").compare(kRightToLeft, Qt::CaseInsensitive) == 0;

    for (const Element &e : elements) {
        if (isMapped(e.first))
            continue;
        AttributeEntry item;
        item.type = UserDefined;
        item.name = cut(e.first, kMaxItemNameChars, false);
        item.text = bookText(e.second);
        info.further.push_back(item);
    }
    return info;
}

QByteArray writeComicInfo(const AttributeList &attributes, uint8_t layoutFlags, QStringList *leftOut)
{
    auto leave = [&](const QString &what) {
        if (leftOut)
            *leftOut << what;
    };
    std::optional<QString> title, subtitle;
    std::optional<AttributeEntry> date;
    QStringList authors, publishers;
    std::vector<Element> items;
    for (const AttributeEntry &a : attributes) {
        switch (a.type) {
        case Title:
        case Subtitle: {
            std::optional<QString> &text = a.type == Title ? title : subtitle;
            if (text)
                leave(QStringLiteral("%1 %2").arg(a.type == Title ? "title" : "subtitle", a.text));
            else
                text = a.text;
            break;
        }
        case Author: authors << a.text; break;
        case Publisher: publishers << a.text; break;
        case Circle: leave(QStringLiteral("circle %1").arg(a.text)); break;
        case PublicationDate:
            if (!date)
                date = a;
            break;
        case UserDefined:
            if (isElementName(a.name) && !isMapped(a.name))
                items.emplace_back(a.name, a.text);
            else
                leave(QStringLiteral("item %1").arg(a.name));
            break;
        default: break;
        }
    }

    std::vector<Element> elements;
    auto add = [&](const char *name, const QString &value) {
        if (!value.isEmpty())
            elements.emplace_back(QString::fromLatin1(name), value);
    };
    add("Title", title.value_or(QString()));
    if (subtitle) {
        // "Series #Number" as reading makes it; "#Number" alone is a number.
        const qsizetype mark = subtitle->lastIndexOf(QLatin1String(" #"));
        if (subtitle->startsWith(u'#') && subtitle->size() > 1 && mark < 0) {
            add("Number", subtitle->mid(1));
        } else if (mark > 0 && mark + 2 < subtitle->size()) {
            add("Series", subtitle->left(mark));
            add("Number", subtitle->mid(mark + 2));
        } else {
            add("Series", *subtitle);
        }
    }
    if (date) {
        if (date->year)
            add("Year", QString::number(date->year));
        if (date->month)
            add("Month", QString::number(date->month));
        if (date->day)
            add("Day", QString::number(date->day));
    }
    add("Writer", authors.join(QStringLiteral(", ")));
    add("Publisher", publishers.value(0));
    add("Imprint", publishers.mid(1).join(QStringLiteral(", ")));
    if (layoutFlags & BindR)
        add("Manga", kRightToLeft);
    std::move(items.begin(), items.end(), std::back_inserter(elements));
    std::stable_sort(elements.begin(), elements.end(), [](const Element &a, const Element &b) {
        return schemaPosition(a.first) < schemaPosition(b.first);
    });

    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("ComicInfo"));
    writer.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema"), QStringLiteral("xsd"));
    writer.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"), QStringLiteral("xsi"));
    for (const Element &e : elements)
        writer.writeTextElement(e.first, xmlText(e.second));
    writer.writeEndElement();
    writer.writeEndDocument();
    return bytes;
}

} // namespace kvb
