#include "fileinformation.h"

#include "book/kvbfile.h"
#include "pageview/booksource.h"

#include <algorithm>
#include <functional>

namespace leafreader {

bool FileInformation::showsThumbnail() const
{
    return read && thumbnail.size() == kvb::kThumbnailBytes && (header.thumbnailFlag & 1);
}

namespace {

using HeadReader = std::function<bool(const kvb::KVBFile::ReadOptions &)>;

FileInformation gather(const QString &path, uint64_t fileSize, const HeadReader &read)
{
    FileInformation info;
    info.path = path;
    info.fileSize = fileSize;
    kvb::BookHeader header;
    kvb::AttributeList attributes;
    QByteArray thumbnail(kvb::kThumbnailBytes, '\0');
    kvb::KVBFile::ReadOptions options;
    options.header = &header;
    options.attributes = &attributes;
    options.thumbnail = reinterpret_cast<uint8_t *>(thumbnail.data());
    if (!read(options)) {
        info.header = kvb::BookHeader();
        info.header.magic[0] = info.header.magic[1] = info.header.magic[2] = info.header.magic[3] = 0;
        return info;
    }
    info.read = true;
    info.header = header;
    if (header.thumbnailFlag & 1)
        info.thumbnail = thumbnail;
    std::stable_sort(attributes.begin(), attributes.end(),
                     [](const kvb::AttributeEntry &a, const kvb::AttributeEntry &b) {
                         return a.type < b.type;
                     });
    info.attributes = std::move(attributes);
    return info;
}

} // namespace

FileInformation gatherFileInformation(const QString &path, uint64_t fileSize)
{
    return gather(path, fileSize,
                  [&path](const kvb::KVBFile::ReadOptions &options) { return kvb::KVBFile::readBook(path, options); });
}

FileInformation gatherFileInformation(BookSource &openBook, uint64_t fileSize)
{
    return gather(openBook.path(), fileSize,
                  [&openBook](const kvb::KVBFile::ReadOptions &options) { return openBook.readBookHead(options); });
}

} // namespace leafreader
