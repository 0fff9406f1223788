#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

// Archives the tests make themselves: well-made ones through the archive
// library's writer, and ZIP and tar bytes built field by field for archives
// no writer would make.
namespace archivefixtures {

struct Item {
    enum Type { File, Folder, Symlink };
    QString name;
    QByteArray bytes; // a file's content, a link's target
    Type type = File;
};

// Writes `items` as an archive of `format` ("zip" deflated, "7zip", "ustar")
// through the archive library.
bool writeArchive(const QString &path, const char *format, const std::vector<Item> &items);

// A ZIP built entry by entry, each field as given.
class ZipBytes {
public:
    struct Entry {
        QByteArray name; // the name's bytes as stored
        QByteArray data; // as stored (already compressed for method 8)
        uint32_t crc = 0;
        uint32_t uncompressedSize = 0;
        uint16_t method = 0; // 0 stored, 8 deflated
        uint16_t flags = 0;  // bit 0 encrypted, bit 11 UTF-8 name
        uint32_t unixMode = 0100644;
    };
    // A stored entry whose sizes and checksum are right.
    static Entry stored(const QByteArray &name, const QByteArray &data);
    // A deflated entry whose declared size is `declared` (its true size
    // unless given).
    static Entry deflated(const QByteArray &name, const QByteArray &data, int64_t declared = -1);

    ZipBytes &add(const Entry &entry);
    QByteArray bytes() const;

private:
    std::vector<Entry> m_entries;
};

// A ustar header block for one entry claiming `size` bytes (sizes past the
// octal field in base 256), typeflag '0' file, '1' hard link, '2' symlink.
QByteArray tarHeader(const QByteArray &name, uint64_t size, char type = '0', const QByteArray &link = {});

// The raw deflate stream of `data` (no zlib header or checksum).
QByteArray rawDeflate(const QByteArray &data);

} // namespace archivefixtures
