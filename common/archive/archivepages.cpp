#include "archivepages.h"

#include "platform/filestamp.h"
#include "platform/safefile.h"

#include <algorithm>

namespace kvb {

namespace {

// Book order; entries of one name (an archive may hold a name twice) keep
// their archive order.
bool entryBefore(const ArchiveEntry &a, const ArchiveEntry &b)
{
    if (a.name != b.name)
        return archivePathBefore(a.name, b.name);
    return a.index < b.index;
}

uint8_t kindOfContent(const QByteArray &head, uint8_t byExtension)
{
    switch (pictureFormatOf(head)) {
    case PictureFormat::Jpeg: return Jpeg;
    case PictureFormat::Png: return Png;
    case PictureFormat::Bmp: return Bmp;
    case PictureFormat::Unknown: break;
    }
    return byExtension;
}

} // namespace

ArchiveListing listArchive(const QString &path, const ArchiveLimits &limits)
{
    ArchiveListing listing;
    ArchiveReader reader(path, limits);
    while (reader.next()) {
        const ArchiveEntry &entry = reader.entry();
        if (entry.role == EntryRole::Page) {
            listing.pages.push_back(entry);
        } else {
            listing.hasComicInfo = listing.hasComicInfo || entry.role == EntryRole::ComicInfo;
            listing.others.push_back(entry);
        }
    }
    listing.problem = reader.problem();
    if (listing.problem)
        listing.pages.clear();
    std::sort(listing.pages.begin(), listing.pages.end(), entryBefore);
    return listing;
}

ArchiveContents readArchivePages(const QString &path, platform::ScratchFile &scratch, const ArchiveLimits &limits)
{
    struct Found {
        ArchiveEntry entry;
        uint64_t offset = 0;
        uint64_t size = 0;
        QByteArray head; // the first bytes, which tell the picture format
    };
    ArchiveContents contents;
    // Every refusal the entries' heads tell (links, paths, encryption, sizes
    // claimed) comes before a byte is written: the heads are walked first,
    // which in ZIP, 7z and tar costs no decompression.
    const ArchiveListing listing = listArchive(path, limits);
    if (listing.problem) {
        contents.problem = listing.problem;
        return contents;
    }
    std::vector<Found> found;
    ArchiveReader reader(path, limits);
    while (reader.next()) {
        const ArchiveEntry &entry = reader.entry();
        if (entry.role == EntryRole::Page) {
            Found page{entry, scratch.size(), 0, {}};
            const bool read = reader.readData([&](const char *data, size_t size) {
                if (page.head.size() < 16)
                    page.head.append(data, qsizetype(std::min<size_t>(size, size_t(16 - page.head.size()))));
                return scratch.write(data, size);
            });
            if (!read)
                break;
            page.size = scratch.size() - page.offset;
            if (page.size == 0) {
                // Only an entry that did not declare its size gets here.
                page.entry.role = EntryRole::Other;
                page.entry.leftOut = LeftOut::Empty;
                contents.others.push_back(page.entry);
                continue;
            }
            found.push_back(std::move(page));
        } else if (entry.role == EntryRole::ComicInfo) {
            contents.hasComicInfo = true;
            contents.others.push_back(entry);
            if (!entry.declaredSize || *entry.declaredSize > uint64_t(kMaxComicInfoBytes)) {
                contents.comicInfoTooLarge = true;
                continue;
            }
            QByteArray xml;
            if (!reader.readData([&](const char *data, size_t size) {
                    xml.append(data, qsizetype(size));
                    return true;
                }))
                break;
            contents.comicInfo = xml;
        } else {
            contents.others.push_back(entry);
        }
    }
    contents.problem = reader.problem();
    if (contents.problem)
        return contents;

    std::sort(found.begin(), found.end(), [](const Found &a, const Found &b) { return entryBefore(a.entry, b.entry); });
    // Taken once all bytes are in: a page whose scratch file is changed
    // afterwards fails to copy instead of giving other bytes.
    const std::optional<platform::FileStamp> stamp = platform::fileStampOf(scratch.handle());
    contents.pages.reserve(found.size());
    for (const Found &f : found) {
        PageEntry page;
        page.kind = kindOfContent(f.head, f.entry.kind);
        page.sourcePath = scratch.path();
        page.offset = f.offset;
        page.size = uint32_t(f.size);
        page.sourceStamp = stamp;
        contents.pages.push_back(std::move(page));
    }
    return contents;
}

} // namespace kvb
