// Reads arbitrary bytes as a comic archive from memory, as a book import
// takes one in: every entry classified, every page's and ComicInfo.xml's
// bytes read within the limits, ComicInfo.xml parsed.
#include "archive/archivereader.h"
#include "archive/comicinfo.h"

#include <QByteArray>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Small limits, so an input cannot spend the run's time on zeros.
    kvb::ArchiveLimits limits;
    limits.maxPages = 64;
    limits.maxEntries = 256;
    limits.maxPageBytes = 4 << 20;
    limits.maxTotalBytes = 16 << 20;
    kvb::ArchiveReader reader(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)), limits);
    while (reader.next()) {
        const kvb::ArchiveEntry &entry = reader.entry();
        // A name that climbs out or starts at the root never passes.
        if (entry.name.startsWith(u'/') || entry.name.split(u'/').contains(QStringLiteral("..")))
            __builtin_trap();
        if (entry.role == kvb::EntryRole::Other)
            continue;
        if (entry.role == kvb::EntryRole::ComicInfo && (!entry.declaredSize || *entry.declaredSize > (64u << 10)))
            continue;
        QByteArray bytes;
        uint64_t read = 0;
        const bool whole = reader.readData([&](const char *piece, size_t n) {
            read += n;
            if (entry.role == kvb::EntryRole::ComicInfo)
                bytes.append(piece, qsizetype(n));
            return true;
        });
        if (!whole)
            break;
        // What was read whole is what the entry declared, within the bound.
        if ((entry.declaredSize && read != *entry.declaredSize) || read > limits.maxPageBytes)
            __builtin_trap();
        if (entry.role == kvb::EntryRole::ComicInfo)
            kvb::readComicInfo(bytes);
    }
    return 0;
}
