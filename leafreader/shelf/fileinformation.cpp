#include "fileinformation.h"

#include "book/kvbfile.h"

#include <algorithm>

namespace leafreader {

bool FileInformation::showsThumbnail() const
{
    return read && thumbnail.size() == kvb::kThumbnailBytes && (header.thumbnailFlag & 1);
}

FileInformation gatherFileInformation(const QString &path, uint64_t fileSize)
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
    if (!kvb::KVBFile::readBook(path, options)) {
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

} // namespace leafreader
