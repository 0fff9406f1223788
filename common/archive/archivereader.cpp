#include "archivereader.h"

#include "platform/cp932.h"
#include "platform/textcompare.h"

#include <QFile>
#include <QStringList>

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <clocale>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvb {

namespace {

// The archive library hands names over in the thread's locale: names an
// archive marks as UTF-8 (and 7z's UTF-16 names) come out as UTF-8 only under
// a UTF-8 locale, and names it leaves unmarked come out as their bytes. So
// every call runs under a UTF-8 character type, whatever the program's
// locale, and the name rule decides about the unmarked bytes.
class Utf8Names {
public:
    Utf8Names()
    {
        static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr));
        if (utf8)
            m_previous = uselocale(utf8);
    }
    ~Utf8Names()
    {
        if (m_previous)
            uselocale(m_previous);
    }
    Utf8Names(const Utf8Names &) = delete;
    Utf8Names &operator=(const Utf8Names &) = delete;

private:
    locale_t m_previous = locale_t(nullptr);
};

bool isPageKind(uint8_t kind)
{
    return kind == Jpeg || kind == Png || kind == Bmp;
}

// "C:" and the like: a path from a drive's root or its current folder.
bool startsWithDrive(QStringView name)
{
    return name.size() >= 2 && name[1] == u':'
           && ((name[0] >= u'A' && name[0] <= u'Z') || (name[0] >= u'a' && name[0] <= u'z'));
}

} // namespace

bool isArchivePath(QStringView path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    const qsizetype slash = path.lastIndexOf(u'/');
    if (dot < 0 || dot < slash)
        return false;
    const QStringView ext = path.mid(dot + 1);
    for (const char *known : {"cbz", "zip", "cb7", "7z", "cbr", "rar", "cbt", "tar"}) {
        if (ext.compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString describeProblem(const ArchiveProblem &problem)
{
    QString text;
    switch (problem.error) {
    case ArchiveError::None: return {};
    case ArchiveError::Unreadable: text = QStringLiteral("not a ZIP, 7z, RAR or tar archive, or it cannot be opened"); break;
    case ArchiveError::Damaged: text = QStringLiteral("the archive is damaged"); break;
    case ArchiveError::Encrypted: text = QStringLiteral("encrypted archives are not supported"); break;
    case ArchiveError::Link: text = QStringLiteral("the archive holds a link, which is never followed"); break;
    case ArchiveError::UnsafePath:
        text = QStringLiteral("the archive holds an absolute path or '..', which is never followed");
        break;
    case ArchiveError::TooManyPages: text = QStringLiteral("more than %1 pages: a book holds at most that").arg(kMaxPages); break;
    case ArchiveError::TooManyEntries: text = QStringLiteral("more than %1 entries").arg(kMaxArchiveEntries); break;
    case ArchiveError::PageTooLarge:
        text = QStringLiteral("a page larger than %1 MiB").arg(kMaxArchivePageBytes >> 20);
        break;
    case ArchiveError::TooLarge:
        text = QStringLiteral("pages larger than %1 GiB together").arg(kMaxArchiveTotalBytes >> 30);
        break;
    case ArchiveError::NoPages: text = QStringLiteral("no pages (pictures are .jpg, .jpeg, .png, .bmp)"); break;
    case ArchiveError::WriteFailed: text = QStringLiteral("the pages could not be written"); break;
    }
    if (!problem.entry.isEmpty())
        text += QStringLiteral(": %1").arg(problem.entry);
    if (!problem.detail.isEmpty())
        text += QStringLiteral(" (%1)").arg(problem.detail);
    return text;
}

QString describeLeftOut(LeftOut reason)
{
    switch (reason) {
    case LeftOut::NotLeftOut: return {};
    case LeftOut::Folder: return QStringLiteral("a folder");
    case LeftOut::Hidden: return QStringLiteral("a hidden entry");
    case LeftOut::NotAPicture: return QStringLiteral("not a page picture");
    case LeftOut::Empty: return QStringLiteral("an empty picture");
    case LeftOut::NotAFile: return QStringLiteral("not a file");
    }
    return {};
}

bool archivePathBefore(QStringView a, QStringView b)
{
    qsizetype i = 0, j = 0;
    for (;;) {
        const qsizetype endA = a.indexOf(u'/', i);
        const qsizetype endB = b.indexOf(u'/', j);
        const QStringView partA = a.mid(i, (endA < 0 ? a.size() : endA) - i);
        const QStringView partB = b.mid(j, (endB < 0 ? b.size() : endB) - j);
        if (const int c = platform::logicalCompare(partA, partB))
            return c < 0;
        if (endA < 0 || endB < 0) {
            // The path that ends here lies in the folder the other goes on from.
            if ((endA < 0) != (endB < 0))
                return endA < 0;
            break;
        }
        i = endA + 1;
        j = endB + 1;
    }
    return a.compare(b, Qt::CaseSensitive) < 0;
}

ArchiveReader::ArchiveReader(const QString &path, const ArchiveLimits &limits) : m_limits(limits)
{
    // Not blocking on a pipe; only a plain file is read.
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat st;
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        stop(ArchiveError::Unreadable);
        return;
    }
    begin();
    Utf8Names names;
    if (archive_read_open_fd(m_archive, m_fd, 1 << 20) != ARCHIVE_OK)
        stop(ArchiveError::Unreadable, {}, true);
}

ArchiveReader::ArchiveReader(QByteArrayView bytes, const ArchiveLimits &limits) : m_limits(limits)
{
    begin();
    Utf8Names names;
    if (archive_read_open_memory(m_archive, bytes.data(), size_t(bytes.size())) != ARCHIVE_OK)
        stop(ArchiveError::Unreadable, {}, true);
}

void ArchiveReader::begin()
{
    // A page's size is a 32-bit field of the book.
    m_limits.maxPageBytes = std::min<uint64_t>(m_limits.maxPageBytes, 0xFFFFFFFEu);
    m_archive = archive_read_new();
    archive_read_support_format_zip(m_archive);
    archive_read_support_format_7zip(m_archive);
    archive_read_support_format_rar(m_archive);
    archive_read_support_format_rar5(m_archive);
    archive_read_support_format_tar(m_archive);
}

ArchiveReader::~ArchiveReader()
{
    if (m_archive) {
        Utf8Names names;
        archive_read_free(m_archive);
    }
    if (m_fd >= 0)
        ::close(m_fd);
}

bool ArchiveReader::stop(ArchiveError error, const QString &entry, bool withDetail)
{
    if (!m_problem) {
        m_problem.error = error;
        m_problem.entry = entry;
        if (withDetail && m_archive) {
            if (const char *said = archive_error_string(m_archive))
                m_problem.detail = QString::fromUtf8(said);
        }
    }
    m_done = true;
    return false;
}

bool ArchiveReader::next()
{
    if (m_done)
        return false;
    Utf8Names names;
    struct archive_entry *raw = nullptr;
    const int r = archive_read_next_header(m_archive, &raw);
    if (r == ARCHIVE_EOF) {
        m_done = true;
        return false;
    }
    if (r != ARCHIVE_OK && r != ARCHIVE_WARN) {
        // A 7z whose index is encrypted fails here, before any entry.
        if (archive_read_has_encrypted_entries(m_archive) > 0)
            return stop(ArchiveError::Encrypted, {}, true);
        return stop(archive_format(m_archive) == 0 ? ArchiveError::Unreadable : ArchiveError::Damaged, {}, true);
    }
    m_dataRead = false;
    if (++m_entries > m_limits.maxEntries)
        return stop(ArchiveError::TooManyEntries);
    return classify(raw);
}

bool ArchiveReader::classify(struct archive_entry *raw)
{
    m_entry = ArchiveEntry{};
    m_entry.index = m_entries - 1;
    const char *bytes = archive_entry_pathname(raw);
    if (!bytes)
        bytes = archive_entry_pathname_utf8(raw);
    if (!bytes)
        return stop(ArchiveError::Damaged, QStringLiteral("#%1").arg(m_entries), true);
    // Archives made on Windows may separate folders with backslashes; CP932
    // names may hold 0x5C as a second byte, so they are decoded first.
    QString name = platform::decodeUtf8OrCp932(QByteArray(bytes));
    name.replace(u'\\', u'/');
    const QString shown = name;

    if (archive_entry_is_encrypted(raw))
        return stop(ArchiveError::Encrypted, shown);
    if (archive_entry_hardlink(raw) || archive_entry_symlink(raw) || archive_entry_filetype(raw) == AE_IFLNK)
        return stop(ArchiveError::Link, shown);
    if (name.startsWith(u'/') || startsWithDrive(name))
        return stop(ArchiveError::UnsafePath, shown);
    QStringList parts;
    for (const QString &part : name.split(u'/', Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            return stop(ArchiveError::UnsafePath, shown);
        if (part != QLatin1String("."))
            parts << part;
    }
    m_entry.name = parts.join(u'/');
    if (archive_entry_size_is_set(raw) && archive_entry_size(raw) >= 0)
        m_entry.declaredSize = uint64_t(archive_entry_size(raw));

    if (archive_entry_filetype(raw) == AE_IFDIR || name.endsWith(u'/') || parts.isEmpty()) {
        m_entry.leftOut = LeftOut::Folder;
        return true;
    }
    if (archive_entry_filetype(raw) != AE_IFREG) {
        m_entry.leftOut = LeftOut::NotAFile;
        return true;
    }
    const bool hidden = std::any_of(parts.begin(), parts.end(), [](const QString &part) {
        return part.startsWith(u'.') || part == QLatin1String("__MACOSX");
    });
    if (hidden) {
        m_entry.leftOut = LeftOut::Hidden;
        return true;
    }
    if (parts.size() == 1 && parts.front().compare(QLatin1String("ComicInfo.xml"), Qt::CaseInsensitive) == 0) {
        m_entry.role = EntryRole::ComicInfo;
        return true;
    }
    const uint8_t kind = pageKindFromExtension(m_entry.name);
    if (!isPageKind(kind)) {
        m_entry.leftOut = LeftOut::NotAPicture;
        return true;
    }
    if (m_entry.declaredSize == uint64_t(0)) {
        m_entry.leftOut = LeftOut::Empty;
        return true;
    }
    if (m_entry.declaredSize && *m_entry.declaredSize > m_limits.maxPageBytes)
        return stop(ArchiveError::PageTooLarge, shown);
    if (++m_pages > m_limits.maxPages)
        return stop(ArchiveError::TooManyPages);
    m_declaredTotal += m_entry.declaredSize.value_or(0);
    if (m_declaredTotal > m_limits.maxTotalBytes)
        return stop(ArchiveError::TooLarge);
    m_entry.role = EntryRole::Page;
    m_entry.kind = kind;
    return true;
}

bool ArchiveReader::readData(const Sink &sink)
{
    if (m_done || m_dataRead)
        return false;
    m_dataRead = true;
    Utf8Names names;
    const bool page = m_entry.role == EntryRole::Page;
    const std::optional<uint64_t> declared = m_entry.declaredSize;
    // What the entry may hold: what it declares, and a page no more than any
    // page may hold, however little the archive has said.
    uint64_t bound = m_limits.maxPageBytes;
    if (declared)
        bound = std::min(bound, *declared);
    else if (!page)
        return stop(ArchiveError::Damaged, m_entry.name);

    auto account = [&](uint64_t produced, uint64_t more) {
        if (produced + more > bound) {
            if (declared && produced + more > *declared)
                return stop(ArchiveError::Damaged, m_entry.name);
            return stop(ArchiveError::PageTooLarge, m_entry.name);
        }
        if (page) {
            m_readTotal += more;
            if (m_readTotal > m_limits.maxTotalBytes)
                return stop(ArchiveError::TooLarge);
        }
        return true;
    };

    static const char zeros[1 << 16] = {};
    uint64_t produced = 0;
    for (;;) {
        const void *block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        const int r = archive_read_data_block(m_archive, &block, &size, &offset);
        if (r == ARCHIVE_EOF)
            break;
        // Warnings here are failed checksums: the data is not what was stored.
        if (r != ARCHIVE_OK) {
            if (archive_read_has_encrypted_entries(m_archive) > 0)
                return stop(ArchiveError::Encrypted, m_entry.name, true);
            return stop(ArchiveError::Damaged, m_entry.name, true);
        }
        if (offset < 0 || uint64_t(offset) < produced)
            return stop(ArchiveError::Damaged, m_entry.name);
        // A sparse entry (tar) leaves holes, which hold zeros.
        uint64_t gap = uint64_t(offset) - produced;
        if (!account(produced, gap + size))
            return false;
        while (gap > 0) {
            const size_t n = size_t(std::min<uint64_t>(gap, sizeof zeros));
            if (!sink(zeros, n))
                return stop(ArchiveError::WriteFailed, m_entry.name);
            gap -= n;
        }
        if (size > 0 && !sink(static_cast<const char *>(block), size))
            return stop(ArchiveError::WriteFailed, m_entry.name);
        produced = uint64_t(offset) + size;
    }
    if (declared && produced != *declared)
        return stop(ArchiveError::Damaged, m_entry.name);
    return true;
}

} // namespace kvb
