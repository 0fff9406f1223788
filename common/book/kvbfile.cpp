#include "kvbfile.h"

#include "picture/picture.h"
#include "platform/filenames.h"
#include "platform/filestamp.h"
#include "platform/progress.h"
#include "platform/safefile.h"

#include <QBuffer>
#include <QFileDevice>
#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <unistd.h>
#include <utility>
#include <vector>

namespace kvb {

namespace {

constexpr uint8_t kMagic[4] = {0x05, 'K', 'V', 'B'};
constexpr uint16_t kMaxTextBytes = 254;
constexpr uint16_t kMaxItemBytes = 288;

// The library's one copy buffer: page bytes the kernel does not copy by
// itself move through it in pieces of at most 4096 bytes. Copies never run
// side by side.
constexpr size_t kCopyPiece = 4096;
std::mutex g_copyMutex;
alignas(64) uint8_t g_copyBuffer[kCopyPiece];
std::atomic<uint64_t> g_copyPieces{0};
constexpr size_t kReadAhead = 256 * 1024;

// Reads an open file at explicit positions with pread, so a file the caller
// keeps open is never moved and a walk costs one system call per record head.
class FileSource {
public:
    FileSource(int fd, uint64_t size) : m_fd(fd), m_size(size) {}

    size_t readAt(uint64_t pos, uint8_t *out, size_t n)
    {
        size_t done = 0;
        while (done < n) {
            const ssize_t got = ::pread(m_fd, out + done, n - done, off_t(pos + done));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            done += size_t(got);
        }
        return done;
    }
    uint64_t size() const { return m_size; }

private:
    int m_fd;
    uint64_t m_size;
};

// Reads a book held in memory straight from its bytes.
class MemorySource {
public:
    explicit MemorySource(const QByteArray &bytes)
        : m_data(reinterpret_cast<const uint8_t *>(bytes.constData())), m_size(uint64_t(bytes.size()))
    {
    }

    size_t readAt(uint64_t pos, uint8_t *out, size_t n)
    {
        if (pos >= m_size)
            return 0;
        const size_t count = size_t(std::min<uint64_t>(n, m_size - pos));
        std::copy_n(m_data + pos, count, out);
        return count;
    }
    uint64_t size() const { return m_size; }

private:
    const uint8_t *m_data;
    uint64_t m_size;
};

// A read position over a source: reads move it on, skips move it without
// reading.
template <typename Source>
class PositionedReader {
public:
    explicit PositionedReader(Source &source) : m_source(source) {}

    // Reads up to n bytes; returns how many were read (short at end of file).
    size_t readSome(void *out, size_t n)
    {
        const size_t done = m_source.readAt(m_pos, static_cast<uint8_t *>(out), n);
        m_pos += done;
        return done;
    }
    bool read(void *out, size_t n) { return readSome(out, n) == n; }
    void skip(uint64_t n) { m_pos += n; }
    void seek(uint64_t pos) { m_pos = pos; }
    uint64_t pos() const { return m_pos; }
    uint64_t size() const { return m_source.size(); }

private:
    Source &m_source;
    uint64_t m_pos = 0;
};

QString readText(const uint8_t *bytes, size_t byteCount)
{
    QString text(qsizetype(byteCount / 2), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (size_t i = 0; i < byteCount / 2; ++i)
        out[i] = char16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return text;
}

// One attribute record's payload as an entry, or nothing when the record is
// not taken: a text longer than 254 bytes, a date that is not 4 bytes, an
// item whose name and value lengths do not add up to the record's length or
// whose name is too long.
std::optional<AttributeEntry> decodeAttribute(uint8_t type, const uint8_t *payload, uint16_t length)
{
    AttributeEntry entry;
    entry.type = type;
    if (type >= Title && type <= Circle) {
        if (length > kMaxTextBytes)
            return std::nullopt;
        entry.text = readText(payload, length);
    } else if (type == PublicationDate) {
        if (length != 4)
            return std::nullopt;
        entry.year = uint16_t(payload[0] | (payload[1] << 8));
        entry.month = payload[2];
        entry.day = payload[3];
    } else if (type == UserDefined) {
        if (length < 2)
            return std::nullopt;
        const uint8_t nameBytes = payload[0];
        if (2 + nameBytes > length)
            return std::nullopt;
        const uint8_t valueBytes = payload[1 + nameBytes];
        if (2 + nameBytes + valueBytes != length)
            return std::nullopt;
        entry.name = readText(payload + 1, nameBytes);
        entry.text = readText(payload + 2 + nameBytes, valueBytes);
        if (entry.name.size() > kMaxItemNameChars)
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    return entry;
}

template <typename Source>
bool walkBook(Source &source, const QString &path, const std::optional<platform::FileStamp> &stamp,
              const KVBFile::ReadOptions &options)
{
    PositionedReader in(source);

    uint8_t head[8];
    if (!in.read(head, 8) || std::memcmp(head, kMagic, 4) != 0)
        return false;
    const uint16_t pageCount = uint16_t(head[4] | (head[5] << 8));
    if (options.header) {
        std::memcpy(options.header->magic, head, 4);
        options.header->pageCount = pageCount;
        options.header->layoutFlags = head[6];
        options.header->thumbnailFlag = head[7];
    }
    if (head[7] & 1) {
        if (options.thumbnail) {
            if (!in.read(options.thumbnail, kThumbnailBytes))
                return false;
        } else {
            in.skip(kThumbnailBytes);
        }
    }

    uint8_t payload[kMaxItemBytes];
    uint8_t type = 0;
    for (;;) {
        if (!in.read(&type, 1))
            return false; // ended in the attribute section
        if (type >= 0x80)
            break;
        uint8_t lenBytes[2];
        if (!in.read(lenBytes, 2))
            return false;
        const uint16_t length = uint16_t(lenBytes[0] | (lenBytes[1] << 8));
        // Every record ends where its length says, whatever its payload
        // claims, so a walk that takes attributes and one that moves over
        // them reach the pages at the same place.
        const uint64_t next = in.pos() + length;
        if (options.attributes && type >= Title && type <= UserDefined && length <= kMaxItemBytes) {
            if (!in.read(payload, length))
                return false;
            if (std::optional<AttributeEntry> entry = decodeAttribute(type, payload, length))
                options.attributes->push_back(std::move(*entry));
        }
        in.seek(next);
    }

    if (!options.pages)
        return true;

    // From the first page record on, every record is a page record head:
    // kind (1 byte) and size (4 bytes). Other kinds are moved over unlisted.
    uint16_t accepted = 0;
    PageList &pages = *options.pages;
    pages.reserve(pages.size() + pageCount);
    uint8_t rec[5];
    rec[0] = type;
    if (!in.read(rec + 1, 4))
        return false;
    for (;;) {
        const uint32_t size = qFromLittleEndian<uint32_t>(rec + 1);
        const uint64_t dataStart = in.pos();
        // A record whose data runs past the end of the file is a truncated
        // book, not a page that merely cannot be decoded.
        if (dataStart + size > in.size())
            return false;
        if (rec[0] >= Jpeg && rec[0] <= Bmp) {
            ++accepted;
            PageEntry page;
            page.kind = rec[0];
            page.sourcePath = path;
            page.offset = dataStart;
            page.size = size;
            page.sourceStamp = stamp;
            pages.push_back(std::move(page));
        }
        in.skip(size);
        const size_t got = in.readSome(rec, 5);
        if (got == 0)
            break;
        if (got < 5)
            return false; // a record head cut short
    }
    return accepted == pageCount;
}

bool walkFile(int fd, const QString &path, const KVBFile::ReadOptions &options)
{
    const std::optional<platform::FileStamp> stamp = platform::fileStampOf(fd);
    if (!stamp)
        return false;
    FileSource source(fd, uint64_t(stamp->size));
    return walkBook(source, path, stamp, options);
}

// Output through a large buffer: page data arrives in 4096-byte pieces, and
// handing each to the kernel separately would cost a system call per piece.
// The first failure is kept: the buffer keeps its bytes, and every later
// write and flush fails too, so nothing written after a lost part can make
// the file look whole.
class BufferedWriter {
public:
    explicit BufferedWriter(int fd) : m_fd(fd) { m_buffer.reserve(kBufferSize); }

    bool write(const void *data, size_t n)
    {
        const auto *src = static_cast<const uint8_t *>(data);
        if (m_failed || (m_buffer.size() + n > kBufferSize && !flush()))
            return false;
        if (n >= kBufferSize)
            return writeAll(src, n);
        m_buffer.insert(m_buffer.end(), src, src + n);
        m_written += n;
        return true;
    }
    bool flush()
    {
        if (m_failed)
            return false;
        if (m_buffer.empty())
            return true;
        if (!platform::writeFully(m_fd, m_buffer.data(), m_buffer.size()))
            return fail();
        m_buffer.clear();
        startWriteback();
        return true;
    }
    // Marks the output as failed for good; returns false.
    bool fail()
    {
        m_failed = true;
        return false;
    }
    uint64_t position() const { return m_written; }
    int handle() const { return m_fd; }
    // Counts bytes written to the file past the buffer (after a flush).
    void skipWritten(uint64_t n)
    {
        m_written += n;
        startWriteback();
    }

private:
    static constexpr size_t kBufferSize = 1 << 20;
    // What reached the file goes to disk in blocks of this size while the
    // rest is still being copied: the flush before the book replaces its
    // target then waits for the last block only.
    static constexpr uint64_t kWritebackBlock = uint64_t(8) << 20;

    bool writeAll(const uint8_t *src, size_t n)
    {
        if (!platform::writeFully(m_fd, src, n))
            return fail();
        m_written += n;
        startWriteback();
        return true;
    }
    void startWriteback()
    {
        const uint64_t onFile = m_written - m_buffer.size();
        if (onFile - m_writebackFrom < kWritebackBlock)
            return;
        platform::startWriteback(m_fd, m_writebackFrom, onFile - m_writebackFrom);
        m_writebackFrom = onFile;
    }

    int m_fd;
    std::vector<uint8_t> m_buffer;
    uint64_t m_written = 0;
    uint64_t m_writebackFrom = 0;
    bool m_failed = false;
};

void appendU16(std::vector<uint8_t> &out, uint16_t v)
{
    out.push_back(uint8_t(v & 0xFF));
    out.push_back(uint8_t(v >> 8));
}

void appendText(std::vector<uint8_t> &out, const QString &text)
{
    for (QChar c : text)
        appendU16(out, c.unicode());
}

// The attribute section as bytes; false when an entry cannot be represented
// (a text too long for its length field), so nothing wrong is ever written.
bool encodeAttributes(const AttributeList &attributes, std::vector<uint8_t> &out)
{
    for (const AttributeEntry &a : attributes) {
        if (a.type >= Title && a.type <= Circle) {
            if (a.text.size() > 0x7FFF)
                return false;
            out.push_back(a.type);
            appendU16(out, uint16_t(2 * a.text.size()));
            appendText(out, a.text);
        } else if (a.type == PublicationDate) {
            out.push_back(a.type);
            appendU16(out, 4);
            appendU16(out, a.year);
            out.push_back(a.month);
            out.push_back(a.day);
        } else if (a.type == UserDefined) {
            if (a.name.size() > 127 || a.text.size() > 127)
                return false;
            const auto nameBytes = uint8_t(2 * a.name.size());
            const auto valueBytes = uint8_t(2 * a.text.size());
            out.push_back(a.type);
            appendU16(out, uint16_t(nameBytes + valueBytes + 2));
            out.push_back(nameBytes);
            appendText(out, a.name);
            out.push_back(valueBytes);
            appendText(out, a.text);
        }
    }
    return true;
}

int openForReading(const QString &path)
{
    return ::open(platform::nameBytes(path).constData(), O_RDONLY | O_CLOEXEC);
}

// The in-kernel copy tried first; tests put another in its place.
KVBFile::RangeCopy g_rangeCopy = [](int in, off_t *inOffset, int out, off_t *outOffset, size_t n,
                                    unsigned flags) -> ssize_t {
    return ::copy_file_range(in, inOffset, out, outOffset, n, flags);
};

// Counts `bytes` of page data as the 4096-byte pieces they make up.
void countPieces(uint64_t bytes)
{
    g_copyPieces.fetch_add((bytes + kCopyPiece - 1) / kCopyPiece, std::memory_order_relaxed);
}

// Moves `left` bytes from `pos` of `source` through the shared 4096-byte
// buffer into `out`. Every piece must be read in full.
bool copyBuffered(FileSource &source, uint64_t pos, uint64_t left, BufferedWriter &out)
{
    // The source is read ahead in large blocks: one system call per block
    // instead of one per piece. Every piece still moves through the copy
    // buffer, and a source shorter than the page still fails.
    static std::vector<uint8_t> readAhead(kReadAhead);
    PositionedReader in(source);
    in.seek(pos);
    size_t have = 0, used = 0;
    while (left > 0) {
        const size_t piece = left < kCopyPiece ? size_t(left) : kCopyPiece;
        if (used == have) {
            const size_t want = size_t(std::min<uint64_t>(kReadAhead, left));
            have = in.readSome(readAhead.data(), want);
            used = 0;
        }
        if (have - used < piece) {
            // The block ended inside this piece: only a short source does that.
            const size_t part = have - used;
            std::memcpy(g_copyBuffer, readAhead.data() + used, part);
            if (!in.read(g_copyBuffer + part, piece - part))
                return false;
            have = used = 0;
        } else {
            std::memcpy(g_copyBuffer, readAhead.data() + used, piece);
            used += piece;
        }
        if (!out.write(g_copyBuffer, piece))
            return false;
        countPieces(piece);
        left -= piece;
    }
    return true;
}

// Errors of an in-kernel copy that say the data did not reach the target (a
// failing or full disk), as a write would say it; any other error only says
// the kernel does not copy between these files.
bool isWriteFault(int error)
{
    return error == EIO || error == ENOSPC || error == EDQUOT || error == EFBIG;
}

// Moves as much of `left` bytes from `pos` of `src` into `out` as the kernel
// copies by itself (a clone where the file system shares blocks) and sets
// `moved` to how many bytes it moved. It stops at the first call that copies
// nothing or that the kernel refuses for these files (not supported, a source
// that ends early): the buffered copy carries on from there. False when the
// output has failed: a write of what the writer held, or a copy that reports
// a write fault.
bool copyInKernel(int src, uint64_t pos, uint64_t left, BufferedWriter &out, uint64_t &moved)
{
    moved = 0;
    // Whatever the writer holds goes first, so the file's own position is
    // where the page begins.
    if (!out.flush())
        return false;
    off_t from = off_t(pos);
    while (moved < left) {
        // Whole pieces per call, so a copy the buffer finishes keeps the
        // 4096-byte boundaries; at most 1 GiB at a time.
        const uint64_t want = std::min<uint64_t>(left - moved, uint64_t(1) << 30);
        const ssize_t got = g_rangeCopy(src, &from, out.handle(), nullptr, size_t(want), 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && isWriteFault(errno))
            return out.fail();
        if (got <= 0 || uint64_t(got) > want)
            break;
        moved += uint64_t(got);
        out.skipWritten(uint64_t(got));
        countPieces(uint64_t(got));
    }
    return true;
}

// Copies `page` into `out`: in the kernel where it can, the rest through the
// shared 4096-byte buffer. The copy fails when the source is no longer the
// file the page was found in (another writer replaced or rewrote it since),
// or changes while it is read: its bytes at the page's offset would then be
// something else.
// Opens the file a page's bytes are in, as long as it is still the file the
// page was found in; -1 otherwise. `opened` receives its stamp, for the check
// that it did not change while it was read.
int openPageSource(const PageEntry &page, std::optional<platform::FileStamp> &opened)
{
    const int src = openForReading(page.sourcePath);
    if (src < 0)
        return -1;
    opened = platform::fileStampOf(src);
    if (!opened || (page.sourceStamp && *page.sourceStamp != *opened)) {
        ::close(src);
        return -1;
    }
    return src;
}

bool copyPage(const PageEntry &page, BufferedWriter &out)
{
    std::optional<platform::FileStamp> opened;
    const int src = openPageSource(page, opened);
    if (src < 0)
        return false;
    std::lock_guard lock(g_copyMutex);
    uint64_t moved = 0;
    bool ok = copyInKernel(src, page.offset, page.size, out, moved);
    FileSource source(src, uint64_t(opened->size));
    ok = ok && (moved == page.size || copyBuffered(source, page.offset + moved, page.size - moved, out));
    ok = ok && platform::fileStampOf(src) == opened;
    ::close(src);
    return ok;
}

} // namespace

uint8_t pageKindFromExtension(QStringView path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0)
        return NotAccepted;
    const QStringView ext = path.mid(dot + 1);
    auto is = [&](const char *name) { return ext.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; };
    if (is("jpg") || is("jpeg"))
        return Jpeg;
    if (is("png"))
        return Png;
    if (is("bmp"))
        return Bmp;
    if (is("kvb"))
        return BookKind;
    return NotAccepted;
}

QString extensionForKind(uint8_t kind)
{
    switch (kind) {
    case Jpeg: return QStringLiteral(".jpg");
    case Png: return QStringLiteral(".png");
    case Bmp: return QStringLiteral(".bmp");
    default: return {};
    }
}

bool KVBFile::readBook(const QString &path, const ReadOptions &options)
{
    const int fd = openForReading(path);
    if (fd < 0)
        return false;
    const bool ok = walkFile(fd, path, options);
    ::close(fd);
    return ok;
}

bool KVBFile::readBook(QIODevice &device, const QString &path, const ReadOptions &options)
{
    if (!device.isOpen() || !device.isReadable())
        return false;
    // Neither way moves the device's position.
    if (auto *file = qobject_cast<QFileDevice *>(&device); file && file->handle() >= 0)
        return walkFile(file->handle(), path, options);
    if (auto *buffer = qobject_cast<QBuffer *>(&device)) {
        MemorySource source(buffer->data());
        return walkBook(source, path, std::nullopt, options);
    }
    return false;
}

bool KVBFile::writeBook(const QString &target, uint8_t layoutFlags, bool withThumbnail,
                        const AttributeList &attributes, PageList &pages, platform::Progress *progress)
{
    if (pages.size() > size_t(kMaxPages))
        return false;
    std::vector<uint8_t> attributeBytes;
    if (!encodeAttributes(attributes, attributeBytes))
        return false;

    std::vector<uint8_t> thumbnail;
    if (withThumbnail) {
        // Made before the temporary file exists, so a first page that cannot
        // be decoded leaves nothing behind. A JPEG page is decoded only as
        // large as the thumbnail needs (an eighth of an A4 scan's side), a
        // few milliseconds instead of tens on every save.
        QImage first;
        QSize stored;
        LoadOptions options;
        options.fitWithin = QSize(kThumbnailWidth, kThumbnailHeight);
        options.naturalSize = &stored;
        if (pages.empty() || !loadPagePicture(pages.front(), first, options))
            return false;
        thumbnail.resize(kThumbnailBytes);
        if (!makeBookThumbnail(first, thumbnail.data(), stored))
            return false;
    }

    platform::AtomicFile file(target, platform::FileRole::Document);
    if (!file.open())
        return false;

    BufferedWriter out(file.handle());
    std::vector<uint64_t> offsets;
    offsets.reserve(pages.size());
    platform::Progress unseen;
    platform::Progress &shown = progress ? *progress : unseen;
    platform::ProgressScope scope(shown, QString(), int(pages.size()));
    auto write = [&]() -> bool {
        uint8_t head[8] = {kMagic[0], kMagic[1], kMagic[2], kMagic[3],
                           uint8_t(pages.size() & 0xFF), uint8_t((pages.size() >> 8) & 0xFF),
                           layoutFlags, uint8_t(withThumbnail ? 1 : 0)};
        if (!out.write(head, sizeof head))
            return false;
        if (withThumbnail && !out.write(thumbnail.data(), thumbnail.size()))
            return false;
        if (!attributeBytes.empty() && !out.write(attributeBytes.data(), attributeBytes.size()))
            return false;
        for (const PageEntry &page : pages) {
            shown.setText(page.sourcePath);
            uint8_t rec[5] = {page.kind, 0, 0, 0, 0};
            qToLittleEndian<uint32_t>(page.size, rec + 1);
            if (!out.write(rec, 5))
                return false;
            offsets.push_back(out.position());
            if (!copyPage(page, out))
                return false;
            shown.setPosition(int(offsets.size()));
        }
        return out.flush();
    };
    if (!write())
        return false;
    // Taken before the file moves into place; renaming and the permission
    // bits it is given change neither inode nor modification time.
    const std::optional<platform::FileStamp> stamp = platform::fileStampOf(file.handle());
    if (!stamp || !file.commit())
        return false;

    for (size_t i = 0; i < pages.size(); ++i) {
        pages[i].sourcePath = target;
        pages[i].offset = offsets[i];
        pages[i].sourceStamp = stamp;
    }
    return true;
}

bool KVBFile::copyPageData(const PageEntry &page, const QString &destination)
{
    platform::AtomicFile file(destination, platform::FileRole::Output);
    if (!file.open())
        return false;
    BufferedWriter out(file.handle());
    return copyPage(page, out) && out.flush() && file.commit();
}

bool KVBFile::readPageData(const PageEntry &page, const PageSink &sink)
{
    std::optional<platform::FileStamp> opened;
    const int src = openPageSource(page, opened);
    if (src < 0)
        return false;
    thread_local std::vector<uint8_t> block(1 << 20);
    FileSource source(src, uint64_t(opened->size));
    uint64_t pos = page.offset;
    uint64_t left = page.size;
    bool ok = true;
    while (ok && left > 0) {
        const size_t n = size_t(std::min<uint64_t>(left, block.size()));
        ok = source.readAt(pos, block.data(), n) == n && sink(reinterpret_cast<const char *>(block.data()), n);
        pos += n;
        left -= n;
    }
    ok = ok && platform::fileStampOf(src) == opened;
    ::close(src);
    return ok;
}

KVBFile::RangeCopy KVBFile::setRangeCopy(RangeCopy copy)
{
    std::lock_guard lock(g_copyMutex);
    return std::exchange(g_rangeCopy, copy);
}

uint64_t KVBFile::copyPieceCount()
{
    return g_copyPieces.load(std::memory_order_relaxed);
}

} // namespace kvb
