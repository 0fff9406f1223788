#pragma once

#include "pagesession.h"
#include "pagesource.h"

#include "book/kvbfile.h"

#include <QFile>

#include <memory>

namespace leafreader {

// A book as a page source: the file stays open while the book is shown, its
// page table is read once, and each page is read by seeking to its offset.
class BookSource : public PageSource {
public:
    // Opens the book and walks its page table. Null when the file cannot be
    // opened or is not a well-formed book (its page count must match).
    static std::unique_ptr<BookSource> open(const QString &path);

    const QString &path() const { return m_path; }
    uint8_t layoutFlags() const { return m_header.layoutFlags; }

    // The header, thumbnail and attributes as `options` asks for them, read
    // through the open file (the path may name another file by now, or
    // none). The page table is left out.
    bool readBookHead(kvb::KVBFile::ReadOptions options);

    int pageCount() const override { return int(m_pages.size()); }
    bool readPage(int index, QByteArray &bytes, uint8_t &kind) override;
    QString pageFile(int index) const override;

private:
    BookSource() = default;

    QString m_path;
    QFile m_file;
    kvb::BookHeader m_header;
    kvb::PageList m_pages;
};

// Opens the book at `path` in the session from `start`; the book's own layout
// flags take the place of start.layoutFlags.
PageSession::OpenResult openBook(PageSession &session, const QString &path, PageSession::Start start);

} // namespace leafreader
