#include "bookentry.h"

#include "book/kvbfile.h"
#include "platform/filenames.h"
#include "platform/paths.h"

#include <QStringList>

namespace leafreader {

bool readListInformation(BookEntry &row, bool withThumbnail)
{
    kvb::BookHeader header;
    kvb::AttributeList attributes;
    QByteArray thumbnail;
    kvb::KVBFile::ReadOptions options;
    options.header = &header;
    options.attributes = &attributes;
    if (withThumbnail) {
        thumbnail.resize(kvb::kThumbnailBytes);
        options.thumbnail = reinterpret_cast<uint8_t *>(thumbnail.data());
    }
    if (!kvb::KVBFile::readBook(row.path, options))
        return false;

    row.pageCount = header.pageCount;
    row.layoutFlags = header.layoutFlags;
    row.thumbnailFlag = header.thumbnailFlag;
    row.thumbnail = withThumbnail && (header.thumbnailFlag & 1) ? thumbnail : QByteArray();

    QStringList titles, subtitles, authors, publishers, circles;
    int32_t date = -1;
    for (const kvb::AttributeEntry &a : attributes) {
        switch (a.type) {
        case kvb::Title: titles << a.text; break;
        case kvb::Subtitle: subtitles << a.text; break;
        case kvb::Author: authors << a.text; break;
        case kvb::Publisher: publishers << a.text; break;
        case kvb::Circle: circles << a.text; break;
        case kvb::PublicationDate: date = BookEntry::packDate(a.year, a.month, a.day); break;
        default: break;
        }
    }
    const QString separator = QStringLiteral(", ");
    row.title = titles.join(separator);
    row.subtitle = subtitles.join(separator);
    row.author = authors.join(separator);
    row.publisher = publishers.join(separator);
    row.circle = circles.join(separator);
    row.date = date;
    if (row.title.isEmpty())
        row.title = platform::shownName(platform::baseNameOf(row.path));
    if (row.subtitle.isEmpty())
        row.subtitle = QStringLiteral(" ");
    return true;
}

} // namespace leafreader
