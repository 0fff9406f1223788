#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace leafreader {

// Where the pages of a page view come from: a book kept open, or the image
// files of a folder. Pages are numbered from 0. The view reads the one or two
// pages it shows one after the other on its own thread and decodes them
// itself, so a source only hands out bytes.
class PageSource {
public:
    virtual ~PageSource() = default;

    virtual int pageCount() const = 0;
    // The bytes of a page and its kind (a kvb::PageKind). False when the page
    // cannot be read.
    virtual bool readPage(int index, QByteArray &bytes, uint8_t &kind) = 0;
    // The file a page's bytes lie in: the book itself, or the page's image
    // file. Empty for an index outside the pages.
    virtual QString pageFile(int index) const = 0;
};

} // namespace leafreader
