#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace leafreader {

// Where the pages of a page view come from: a book kept open, or the image
// files of a folder. Pages are numbered from 0. A source only hands out
// bytes; the page session decodes them.
class PageSource {
public:
    virtual ~PageSource() = default;

    virtual int pageCount() const = 0;
    // The bytes of a page and its kind (a kvb::PageKind). False when the page
    // cannot be read.
    virtual bool readPage(int index, QByteArray &bytes, uint8_t &kind) = 0;
    // True when readPage may run on worker threads, several at once (the
    // pages read ahead are then read there too); a book read through one
    // open file is read on the view's thread only.
    virtual bool readsConcurrently() const { return false; }
    // The file a page's bytes lie in: the book itself, or the page's image
    // file. Empty for an index outside the pages.
    virtual QString pageFile(int index) const = 0;
    // What tells the bytes of a page now from those read before: a page read
    // ahead whose stamp has changed since is read again when it is shown.
    // Empty when the pages cannot change while the source is open.
    virtual QByteArray pageStamp(int index) const { (void)index; return {}; }
};

} // namespace leafreader
