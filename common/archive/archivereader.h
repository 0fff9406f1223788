#pragma once

#include "book/bookrecords.h"
#include "picture/pictureformat.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <optional>

struct archive;
struct archive_entry;

namespace kvb {

// The archives a book can be made from, by extension (case-insensitive):
// cbz and zip, cb7 and 7z, cbr and rar, cbt and tar.
bool isArchivePath(QStringView path);

// What an archive may hold before it is refused. The page bound is the one
// every page of a book has; the total bounds what a small archive can make
// the machine write (a zip bomb).
constexpr uint64_t kMaxArchivePageBytes = kMaxPageBytes;
constexpr uint64_t kMaxArchiveTotalBytes = uint64_t(64) << 30; // 64 GiB of pages
constexpr int kMaxArchiveEntries = 4 * 65536;
constexpr qint64 kMaxComicInfoBytes = 1 << 20;

struct ArchiveLimits {
    int maxPages = kMaxPages;
    int maxEntries = kMaxArchiveEntries;
    uint64_t maxPageBytes = kMaxArchivePageBytes;
    uint64_t maxTotalBytes = kMaxArchiveTotalBytes;
};

// Why reading an archive stopped. Every one but None refuses the archive as a
// whole: nothing is to be made from it.
enum class ArchiveError {
    None,
    Unreadable,     // cannot be opened, or no archive of a format read here
    Damaged,        // ends early, or data that does not check out
    Encrypted,      // an entry (or the archive's index) is encrypted
    Link,           // an entry is a symbolic or hard link
    UnsafePath,     // an entry's path is absolute or climbs out with ".."
    TooManyPages,   // more pages than a book holds
    TooManyEntries, // more entries than any page collection needs
    PageTooLarge,   // a page, declared or as read, beyond the page bound
    TooLarge,       // the pages together beyond the total bound
    NoPages,        // nothing to make a book of
    WriteFailed,    // the bytes read could not be kept (a full disk)
};

struct ArchiveProblem {
    ArchiveError error = ArchiveError::None;
    QString entry;  // the entry it concerns, when one does
    QString detail; // what the archive library said, when it said something

    explicit operator bool() const { return error != ArchiveError::None; }
};

// One line for a person: the reason, with the entry and the library's words
// where there are some.
QString describeProblem(const ArchiveProblem &problem);

enum class EntryRole : uint8_t {
    Page,      // a picture with a page extension
    ComicInfo, // ComicInfo.xml at the archive's root: the book's attributes
    Other,     // left out; `leftOut` says why
};

enum class LeftOut : uint8_t {
    NotLeftOut,
    Folder,
    Hidden,      // a dot file, or inside a dot folder or __MACOSX/
    NotAPicture, // no page extension
    Empty,       // a page picture without bytes
    NotAFile,    // a device, a pipe or a socket
};

// Why an entry was left out, for a person.
QString describeLeftOut(LeftOut reason);

struct ArchiveEntry {
    // The path inside the archive, '/'-separated, without "./" parts; names
    // are UTF-8 where their bytes are, else CP932.
    QString name;
    EntryRole role = EntryRole::Other;
    LeftOut leftOut = LeftOut::NotLeftOut;
    uint8_t kind = NotAccepted; // pages: the kind the extension names
    std::optional<uint64_t> declaredSize;
    int index = 0; // the entry's place in the archive, from 0
};

// The book order of two entry paths: folder by folder, each part in the
// suite's logical name order (digit runs by value, case ignored), then code
// unit by code unit so the order is total.
bool archivePathBefore(QStringView a, QStringView b);

// Walks an archive entry by entry (ZIP, 7z, RAR and tar, as the archive
// library reads them) and checks each against the rules of taking archives
// in: links, absolute paths and ".." are refused, never followed; encrypted
// entries, too many pages or entries and oversized pages are refused; entry
// names are decoded as UTF-8 or CP932. Use it on one thread.
class ArchiveReader {
public:
    explicit ArchiveReader(const QString &path, const ArchiveLimits &limits = {});
    // An archive held in memory; the bytes must outlive the reader.
    explicit ArchiveReader(QByteArrayView bytes, const ArchiveLimits &limits = {});
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader &) = delete;
    ArchiveReader &operator=(const ArchiveReader &) = delete;

    // Moves to the next entry. False at the end of the archive, or when
    // reading stopped (problem() says why).
    bool next();
    const ArchiveEntry &entry() const { return m_entry; }

    // Hands the current entry's bytes to `sink` in pieces, in order, within
    // the page bound (pages) or the entry's declared size (anything else,
    // which must declare one). False when the data is damaged, breaks a
    // bound or the sink refuses (WriteFailed); reading then stops.
    using Sink = std::function<bool(const char *data, size_t size)>;
    bool readData(const Sink &sink);

    const ArchiveProblem &problem() const { return m_problem; }

private:
    bool stop(ArchiveError error, const QString &entry = {}, bool withDetail = false);
    bool classify(struct archive_entry *raw);
    void begin();

    int m_fd = -1;
    struct archive *m_archive = nullptr;
    ArchiveLimits m_limits;
    ArchiveEntry m_entry;
    ArchiveProblem m_problem;
    bool m_done = false;
    bool m_dataRead = false;
    int m_entries = 0;
    int m_pages = 0;
    uint64_t m_declaredTotal = 0;
    uint64_t m_readTotal = 0;
};

} // namespace kvb
