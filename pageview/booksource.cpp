#include "booksource.h"

#include "picture/picture.h"

namespace leafreader {

std::unique_ptr<BookSource> BookSource::open(const QString &path)
{
    std::unique_ptr<BookSource> book(new BookSource);
    book->m_path = path;
    book->m_file.setFileName(path);
    if (!book->m_file.open(QIODevice::ReadOnly))
        return nullptr;
    kvb::KVBFile::ReadOptions options;
    options.header = &book->m_header;
    options.pages = &book->m_pages;
    if (!kvb::KVBFile::readBook(book->m_file, path, options))
        return nullptr;
    return book;
}

bool BookSource::readBookHead(kvb::KVBFile::ReadOptions options)
{
    options.pages = nullptr;
    return kvb::KVBFile::readBook(m_file, m_path, options);
}

bool BookSource::readPage(int index, QByteArray &bytes, uint8_t &kind)
{
    if (index < 0 || index >= pageCount())
        return false;
    const kvb::PageEntry &page = m_pages[size_t(index)];
    kind = page.kind;
    return kvb::readPageBytes(m_file, page.offset, page.size, bytes);
}

QString BookSource::pageFile(int index) const
{
    return index >= 0 && index < pageCount() ? m_path : QString();
}

PageSession::OpenResult openBook(PageSession &session, const QString &path, PageSession::Start start)
{
    std::unique_ptr<BookSource> book = BookSource::open(path);
    if (book)
        start.layoutFlags = book->layoutFlags();
    return session.open(std::move(book), start);
}

} // namespace leafreader
