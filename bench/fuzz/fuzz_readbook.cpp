// Walks arbitrary bytes as a book in every reading mode, from memory.
#include "book/kvbfile.h"

#include <QBuffer>

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // One buffer and one set of lists serve every input, so what an input
    // costs is the walk itself.
    static QByteArray bytes;
    static QBuffer book;
    static kvb::AttributeList attributes;
    static kvb::PageList pages, pagesOnly;
    static std::vector<uint8_t> thumbnail(kvb::kThumbnailBytes);
    book.close();
    bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    book.setBuffer(&bytes);
    if (!book.open(QIODevice::ReadOnly))
        return 0;
    const QString path = QStringLiteral("input.kvb");

    kvb::BookHeader header;
    attributes.clear();
    pages.clear();
    kvb::KVBFile::readBook(book, path, kvb::KVBFile::ReadOptions{&header, &attributes, &pages, nullptr});
    for (const kvb::PageEntry &page : pages) {
        // Every accepted page lies inside the book.
        if (page.offset + page.size > size)
            __builtin_trap();
    }

    // The page walk without attributes moves over the same records: it finds
    // the same pages.
    pagesOnly.clear();
    kvb::KVBFile::readBook(book, path, kvb::KVBFile::ReadOptions{nullptr, nullptr, &pagesOnly, nullptr});
    if (pagesOnly.size() != pages.size())
        __builtin_trap();
    for (size_t i = 0; i < pages.size(); ++i) {
        if (pagesOnly[i].offset != pages[i].offset || pagesOnly[i].size != pages[i].size)
            __builtin_trap();
    }

    attributes.clear();
    kvb::KVBFile::readBook(book, path, kvb::KVBFile::ReadOptions{&header, &attributes, nullptr, thumbnail.data()});
    return 0;
}
