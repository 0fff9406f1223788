// Walks arbitrary bytes as a book in every reading mode.
#include "book/kvbfile.h"

#include <QTemporaryFile>

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryFile file;
    if (!file.isOpen() && !file.open())
        return 0;
    file.resize(0);
    file.seek(0);
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.flush();

    kvb::BookHeader header;
    kvb::AttributeList attributes;
    kvb::PageList pages;
    std::vector<uint8_t> thumbnail(kvb::kThumbnailBytes);
    kvb::KVBFile::readBook(file.fileName(), &header, &attributes, &pages);
    for (const kvb::PageEntry &page : pages) {
        // Every accepted page lies inside the file.
        if (page.offset + page.size > size)
            __builtin_trap();
    }
    kvb::AttributeList listOnly;
    kvb::KVBFile::readBook(file.fileName(),
                           kvb::KVBFile::ReadOptions{&header, &listOnly, nullptr, thumbnail.data()});
    return 0;
}
