#include "resumelist.h"

#include "platform/filenames.h"
#include "platform/paths.h"


#include <algorithm>

namespace leafreader {

namespace {

// One "%d" of the stored format: optional blanks, a sign, digits, within int.
bool readNumber(const QString &text, qsizetype &pos, int &out)
{
    while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t'))
        ++pos;
    const qsizetype start = pos;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+'))
        ++pos;
    const qsizetype digits = pos;
    while (pos < text.size() && text[pos].isDigit() && text[pos].unicode() < 128)
        ++pos;
    if (pos == digits)
        return false;
    bool ok = false;
    out = QStringView(text).mid(start, pos - start).toInt(&ok);
    return ok;
}

} // namespace

bool samePath(const QString &a, const QString &b)
{
    return a == b;
}

bool ResumeList::parseEntry(const QString &value, BookEntry &entry)
{
    if (value.isEmpty())
        return false;
    int numbers[5];
    qsizetype pos = 0;
    for (int &n : numbers) {
        if (!readNumber(value, pos, n) || pos >= value.size() || value[pos] != u'|')
            return false;
        ++pos;
    }
    if (numbers[0] != BookEntry::BookFile && numbers[0] != BookEntry::Empty)
        return false;
    BookEntry e;
    e.kind = numbers[0];
    e.page = numbers[1];
    e.pageCount = static_cast<uint16_t>(numbers[2]);
    e.zoom = numbers[3];
    e.singlePage = numbers[4];
    e.path = value.mid(pos);
    entry = e;
    return true;
}

QString ResumeList::formatEntry(const BookEntry &e)
{
    return QString::asprintf("%d|%d|%d|%d|%d|", e.kind, e.page, int(e.pageCount), e.zoom,
                             e.singlePage)
           + e.path;
}

void ResumeList::load(const Slots &values)
{
    m_entries.clear();
    for (const QString &value : values) {
        BookEntry entry;
        if (parseEntry(value, entry))
            m_entries.push_back(std::move(entry));
    }
}

void ResumeList::store(Slots &values) const
{
    for (int i = 0; i < kMaxEntries; ++i)
        values[size_t(i)] = i < size() ? formatEntry(m_entries[size_t(i)]) : QString();
}

int ResumeList::find(const QString &path, int page) const
{
    for (int i = 0; i < size(); ++i) {
        if (m_entries[size_t(i)].page == page && samePath(m_entries[size_t(i)].path, path))
            return i;
    }
    return -1;
}

int ResumeList::findPath(const QString &path) const
{
    for (int i = 0; i < size(); ++i) {
        if (samePath(m_entries[size_t(i)].path, path))
            return i;
    }
    return -1;
}

void ResumeList::removeAt(int index)
{
    if (index >= 0 && index < size())
        m_entries.erase(m_entries.begin() + index);
}

int ResumeList::removePath(const QString &path)
{
    const auto before = m_entries.size();
    std::erase_if(m_entries, [&path](const BookEntry &e) { return samePath(e.path, path); });
    return int(before - m_entries.size());
}

ResumeList::CloseResult ResumeList::closeBook(int mode, BookEntry &book, int pageAtOpening)
{
    if (mode == 0) {
        book.page = pageAtOpening;
        return CloseResult::Unchanged;
    }
    if (!canRegister(mode, book, pageAtOpening))
        return CloseResult::Full;
    if (mode == 1)
        removeAt(find(book.path, pageAtOpening));
    removeAt(find(book.path, book.page));
    BookEntry copy = book;
    copy.kind = BookEntry::BookFile;
    m_entries.push_back(std::move(copy));
    return CloseResult::Registered;
}

bool ResumeList::canRegister(int mode, const BookEntry &book, int pageAtOpening) const
{
    if (mode == 0)
        return true;
    const bool replaces = (mode == 1 && find(book.path, pageAtOpening) >= 0) || find(book.path, book.page) >= 0;
    return replaces || size() < kMaxEntries;
}

int ResumeList::keepingMode(const BookEntry &book, int pageAtOpening) const
{
    return find(book.path, pageAtOpening) >= 0 ? 1 : 2;
}

void ResumeList::refresh()
{
    for (BookEntry &entry : m_entries) {
        if (entry.kind != BookEntry::BookFile && entry.kind != BookEntry::Empty)
            continue;
        const platform::PathInfo info = platform::pathInfo(entry.path);
        // As on the folder screen, a tile reads its thumbnail when it is shown.
        if (info.isFile && readListInformation(entry, false)) {
            entry.kind = BookEntry::BookFile;
            entry.fileSize = uint64_t(info.size);
        } else {
            entry.kind = BookEntry::Empty;
            entry.title = platform::shownName(platform::baseNameOf(entry.path));
        }
    }
}

} // namespace leafreader
