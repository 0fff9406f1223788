#include "listtexts.h"

#include "shelfpictures.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>

namespace leafreader {

namespace {

enum Field { AuthorField, PublisherField, CircleField };

// Index i gives the search order of APCPriority i.
constexpr std::array<std::array<Field, 3>, kPriorityCount> kOrders = {{
    {AuthorField, CircleField, PublisherField},
    {AuthorField, PublisherField, CircleField},
    {CircleField, AuthorField, PublisherField},
    {CircleField, PublisherField, AuthorField},
    {PublisherField, AuthorField, CircleField},
    {PublisherField, CircleField, AuthorField},
}};

} // namespace

QString dateText(int32_t date)
{
    if (date == -1)
        return QStringLiteral(" -");
    const uint32_t packed = static_cast<uint32_t>(date);
    const unsigned year = packed >> 16;
    const unsigned month = (packed >> 8) & 0xFF;
    const unsigned day = packed & 0xFF;
    QString text = QString::asprintf("%04u", year);
    if (month >= 1 && month <= 12) {
        text += QString::asprintf("/%02u", month);
        if (day >= 1 && day <= 31)
            text += QString::asprintf("/%02u", day);
    }
    return text;
}

QString priorityText(int priority)
{
    static const char *const texts[kPriorityCount] = {
        QT_TRANSLATE_NOOP("ListTexts", "著者 > サークル > 出版社"),
        QT_TRANSLATE_NOOP("ListTexts", "著者 > 出版社 > サークル"),
        QT_TRANSLATE_NOOP("ListTexts", "サークル > 著者 > 出版社"),
        QT_TRANSLATE_NOOP("ListTexts", "サークル > 出版社 > 著者"),
        QT_TRANSLATE_NOOP("ListTexts", "出版社 > 著者 > サークル"),
        QT_TRANSLATE_NOOP("ListTexts", "出版社 > サークル > 著者"),
    };
    return QCoreApplication::translate("ListTexts", texts[std::clamp(priority, 0, kPriorityCount - 1)]);
}

QString authorLine(const BookEntry &row, int priority)
{
    for (Field field : kOrders[std::clamp(priority, 0, kPriorityCount - 1)]) {
        const QString &text = field == AuthorField      ? row.author
                              : field == PublisherField ? row.publisher
                                                        : row.circle;
        if (!text.isEmpty())
            return text;
    }
    return QStringLiteral(" -");
}

QString pagesLine(const BookEntry &row)
{
    return QString::asprintf("%u pages", unsigned(row.pageCount));
}

QString resumePageLine(const BookEntry &row)
{
    return QString::asprintf("p.%d/%d", row.page, int(row.pageCount));
}

TileText tileText(const BookEntry &row, bool resumeScreen, int priority)
{
    TileText t;
    t.title = row.title;
    if (!resumeScreen && (row.kind == BookEntry::Drive || row.kind == BookEntry::Folder)) {
        t.picture = row.kind == BookEntry::Drive ? TileDrive : TileFolder;
        return t;
    }
    t.lines[0] = row.subtitle;
    t.lines[1] = authorLine(row, priority);
    t.lines[2] = dateText(row.date);
    t.lines[3] = resumeScreen ? resumePageLine(row) : pagesLine(row);
    if (resumeScreen && row.kind != BookEntry::BookFile) {
        t.picture = TileMissingBook;
        return t;
    }
    t.resumeBadge = row.page >= 0;
    return t;
}

QString fileSizeText(uint64_t b)
{
    using ull = unsigned long long;
    constexpr uint64_t KiB = 1024, MiB = KiB * 1024, GiB = MiB * 1024;
    if (b == 0)
        return QStringLiteral(" (Unknown)");
    if (b < 10240)
        return QString::asprintf(" %llu Bytes", ull(b));
    if (b < 10 * MiB)
        return QString::asprintf(" %lluK (%llu) Bytes", ull(b / KiB), ull(b));
    if (b >= 10 * GiB)
        return QString::asprintf(" %lluG (%llu) Bytes", ull(b / GiB), ull(b));
    return QString::asprintf(" %lluM (%llu) Bytes", ull(b / MiB), ull(b));
}

QString layoutText(uint8_t flags)
{
    // Whole texts, so each translates as one phrase.
    if (!(flags & kvb::PageSpread))
        return QCoreApplication::translate("ListTexts", " 単ページ");
    if (flags & kvb::Cover) {
        return (flags & kvb::BindR) ? QCoreApplication::translate("ListTexts", " 表紙あり見開き、右綴じ")
                                    : QCoreApplication::translate("ListTexts", " 表紙あり見開き、左閉じ");
    }
    return (flags & kvb::BindR) ? QCoreApplication::translate("ListTexts", " 表紙なし見開き、右綴じ")
                                : QCoreApplication::translate("ListTexts", " 表紙なし見開き、左閉じ");
}

QString attributeItemText(const kvb::AttributeEntry &entry)
{
    switch (entry.type) {
    case kvb::Title: return QCoreApplication::translate("ListTexts", "タイトル");
    case kvb::Subtitle: return QCoreApplication::translate("ListTexts", "サブタイトル");
    case kvb::Author: return QCoreApplication::translate("ListTexts", "著者");
    case kvb::Publisher: return QCoreApplication::translate("ListTexts", "出版社");
    case kvb::Circle: return QCoreApplication::translate("ListTexts", "サークル");
    case kvb::PublicationDate: return QCoreApplication::translate("ListTexts", "出版日");
    case kvb::UserDefined: return entry.name;
    default: return QString::asprintf("Unknown<%u>", unsigned(entry.type));
    }
}

QString attributeContentText(const kvb::AttributeEntry &entry)
{
    switch (entry.type) {
    case kvb::Title:
    case kvb::Subtitle:
    case kvb::Author:
    case kvb::Publisher:
    case kvb::Circle:
    case kvb::UserDefined: return entry.text;
    case kvb::PublicationDate: return dateText(entry.year, entry.month, entry.day);
    default: return QStringLiteral("???");
    }
}

} // namespace leafreader
