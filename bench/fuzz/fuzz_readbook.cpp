// Walks arbitrary bytes as a book in every reading mode, from memory.
#include "book/kvbfile.h"

#include <QBuffer>

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer book(&bytes);
    if (!book.open(QIODevice::ReadOnly))
        return 0;
    const QString path = QStringLiteral("input.kvb");

    kvb::BookHeader header;
    kvb::AttributeList attributes;
    kvb::PageList pages;
    kvb::KVBFile::readBook(book, path, kvb::KVBFile::ReadOptions{&header, &attributes, &pages, nullptr});
    for (const kvb::PageEntry &page : pages) {
        // Every accepted page lies inside the book.
        if (page.offset + page.size > size)
            __builtin_trap();
    }

    // The page walk without attributes moves over the same records: it finds
    // the same pages.
    kvb::PageList pagesOnly;
    kvb::KVBFile::readBook(book, path, kvb::KVBFile::ReadOptions{nullptr, nullptr, &pagesOnly, nullptr});
    if (pagesOnly.size() != pages.size())
        __builtin_trap();
    for (size_t i = 0; i < pages.size(); ++i) {
        if (pagesOnly[i].offset != pages[i].offset || pagesOnly[i].size != pages[i].size)
            __builtin_trap();
    }

    static std::vector<uint8_t> thumbnail(kvb::kThumbnailBytes);
    kvb::AttributeList listOnly;
    kvb::KVBFile::readBook(book, path, kvb::KVBFile::ReadOptions{&header, &listOnly, nullptr, thumbnail.data()});
    return 0;
}
