#include "archivefixtures.h"

#include <QFile>
#include <QtEndian>

#include <archive.h>
#include <archive_entry.h>

#include <array>
#include <clocale>
#include <locale.h>
#include <memory>

namespace archivefixtures {

namespace {

uint32_t crc32(const QByteArray &data)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (const char byte : data)
        c = table[(c ^ uint8_t(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void put16(QByteArray &out, uint16_t v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray &out, uint32_t v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void put64(QByteArray &out, uint64_t v)
{
    char b[8];
    qToLittleEndian(v, b);
    out.append(b, 8);
}

} // namespace

bool writeArchive(const QString &path, const char *format, const std::vector<Item> &items)
{
    // Names are handed over as UTF-8, which the writer reads in the
    // thread's locale.
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr));
    const locale_t previous = utf8 ? uselocale(utf8) : locale_t(nullptr);
    std::unique_ptr<struct archive, decltype(&archive_write_free)> a(archive_write_new(), archive_write_free);
    bool ok = archive_write_set_format_by_name(a.get(), format) == ARCHIVE_OK
              && archive_write_open_filename(a.get(), QFile::encodeName(path).constData()) == ARCHIVE_OK;
    for (const Item &item : items) {
        if (!ok)
            break;
        std::unique_ptr<struct archive_entry, decltype(&archive_entry_free)> e(archive_entry_new(), archive_entry_free);
        archive_entry_set_pathname(e.get(), item.name.toUtf8().constData());
        archive_entry_set_perm(e.get(), item.type == Item::Folder ? 0755 : 0644);
        archive_entry_set_mtime(e.get(), 1700000000, 0);
        if (item.type == Item::File) {
            archive_entry_set_filetype(e.get(), AE_IFREG);
            archive_entry_set_size(e.get(), item.bytes.size());
        } else if (item.type == Item::Folder) {
            archive_entry_set_filetype(e.get(), AE_IFDIR);
        } else {
            archive_entry_set_filetype(e.get(), AE_IFLNK);
            archive_entry_set_symlink(e.get(), item.bytes.constData());
        }
        ok = archive_write_header(a.get(), e.get()) == ARCHIVE_OK;
        if (ok && item.type == Item::File)
            ok = archive_write_data(a.get(), item.bytes.constData(), size_t(item.bytes.size())) == item.bytes.size();
    }
    ok = archive_write_close(a.get()) == ARCHIVE_OK && ok;
    a.reset();
    if (previous)
        uselocale(previous);
    return ok;
}

ZipBytes::Entry ZipBytes::stored(const QByteArray &name, const QByteArray &data)
{
    Entry e;
    e.name = name;
    e.data = data;
    e.crc = crc32(data);
    e.uncompressedSize = uint32_t(data.size());
    return e;
}

ZipBytes::Entry ZipBytes::deflated(const QByteArray &name, const QByteArray &data, int64_t declared)
{
    Entry e;
    e.name = name;
    e.data = rawDeflate(data);
    e.crc = crc32(data);
    e.uncompressedSize = uint32_t(declared < 0 ? data.size() : declared);
    e.method = 8;
    return e;
}

ZipBytes &ZipBytes::add(const Entry &entry)
{
    m_entries.push_back(entry);
    return *this;
}

QByteArray ZipBytes::bytes() const
{
    QByteArray out, central;
    for (const Entry &e : m_entries) {
        const auto offset = uint32_t(out.size());
        put32(out, 0x04034b50);
        put16(out, 20);
        put16(out, e.flags);
        put16(out, e.method);
        put32(out, 0x00210000); // 1980-01-01 00:00
        put32(out, e.crc);
        put32(out, uint32_t(e.data.size()));
        put32(out, e.uncompressedSize);
        put16(out, uint16_t(e.name.size()));
        put16(out, 0);
        out += e.name;
        out += e.data;

        put32(central, 0x02014b50);
        put16(central, 0x031E); // made on Unix: the external attributes hold the mode
        put16(central, 20);
        put16(central, e.flags);
        put16(central, e.method);
        put32(central, 0x00210000);
        put32(central, e.crc);
        put32(central, uint32_t(e.data.size()));
        put32(central, e.uncompressedSize);
        put16(central, uint16_t(e.name.size()));
        put16(central, 0);
        put16(central, 0);
        put16(central, 0);
        put16(central, 0);
        put32(central, e.unixMode << 16);
        put32(central, offset);
        central += e.name;
    }
    const auto centralOffset = uint64_t(out.size());
    out += central;
    const uint64_t count = m_entries.size();
    if (count > 0xFFFF) {
        // Zip64 end records carry counts past 16 bits.
        const auto record = uint64_t(out.size());
        put32(out, 0x06064b50);
        put64(out, 44);
        put16(out, 45);
        put16(out, 45);
        put32(out, 0);
        put32(out, 0);
        put64(out, count);
        put64(out, count);
        put64(out, uint64_t(central.size()));
        put64(out, centralOffset);
        put32(out, 0x07064b50);
        put32(out, 0);
        put64(out, record);
        put32(out, 1);
    }
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, uint16_t(count > 0xFFFF ? 0xFFFF : count));
    put16(out, uint16_t(count > 0xFFFF ? 0xFFFF : count));
    put32(out, uint32_t(central.size()));
    put32(out, uint32_t(centralOffset));
    put16(out, 0);
    return out;
}

QByteArray tarHeader(const QByteArray &name, uint64_t size, char type, const QByteArray &link)
{
    QByteArray h(512, '\0');
    auto field = [&](int at, const QByteArray &value) { h.replace(at, value.size(), value); };
    auto octal = [](uint64_t v, int digits) { return QByteArray::number(qulonglong(v), 8).rightJustified(digits, '0'); };
    field(0, name.left(100));
    field(100, octal(0644, 7));
    field(108, octal(0, 7));
    field(116, octal(0, 7));
    if (size < (uint64_t(1) << 33)) {
        field(124, octal(size, 11));
    } else {
        // Base 256: a leading 0x80, then the number big-endian.
        h[124] = char(0x80);
        for (int i = 0; i < 8; ++i)
            h[135 - i] = char((size >> (8 * i)) & 0xFF);
    }
    field(136, octal(1700000000, 11));
    field(148, QByteArray(8, ' '));
    h[156] = type;
    field(157, link.left(100));
    field(257, QByteArray("ustar\0" "00", 8));
    unsigned sum = 0;
    for (const char c : h)
        sum += uint8_t(c);
    field(148, octal(sum, 6) + QByteArray("\0 ", 2));
    return h;
}

QByteArray rawDeflate(const QByteArray &data)
{
    // qCompress: a 4-byte length, the 2-byte zlib header, the stream and a
    // 4-byte checksum.
    const QByteArray z = qCompress(data, 9);
    return z.mid(6, z.size() - 10);
}

} // namespace archivefixtures
