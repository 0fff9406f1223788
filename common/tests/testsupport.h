#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace testsupport {

// A picture with a distinct colour in every corner (red top-left, green
// top-right, blue bottom-left, white bottom-right) on grey, so a test can see
// how it was turned.
QImage cornerPicture(int width, int height);

// Encoded picture bytes ("JPG", "PNG", "BMP").
QByteArray encode(const QImage &image, const char *format, int quality = 95);

// A JPEG with an Exif APP1 segment carrying the given orientation, inserted
// right after the start marker. bigEndian chooses 'MM' or 'II'.
QByteArray jpegWithOrientation(const QImage &image, int orientation, bool bigEndian = true);

// A baseline JPEG of `image` whose frame header claims `claimed` pixels and
// whose data stops `scanBytes` bytes into the scan (no end marker): a few
// hundred bytes that promise a huge picture.
QByteArray jpegClaiming(QSize claimed, int scanBytes);

// A progressive JPEG: the picture in several scans, coarse to fine.
QByteArray progressiveJpeg(const QImage &image);

// Where each scan of a JPEG begins (the offsets of its start-of-scan markers).
QList<qsizetype> scanStarts(const QByteArray &jpeg);

// Builds book bytes record by record, for books a writer would never make.
class BookBytes {
public:
    BookBytes &header(uint16_t pageCount, uint8_t layoutFlags = 0, uint8_t thumbnailFlag = 0);
    BookBytes &thumbnail(uint8_t fill = 0x40);
    BookBytes &text(uint8_t type, const QString &text);
    BookBytes &rawAttribute(uint8_t type, const QByteArray &payload);
    BookBytes &date(uint16_t year, uint8_t month, uint8_t day);
    BookBytes &item(const QString &name, const QString &value);
    BookBytes &page(uint8_t kind, const QByteArray &data);
    // A page record head that claims `size` bytes, without the bytes.
    BookBytes &pageHead(uint8_t kind, uint32_t size);
    BookBytes &raw(const QByteArray &bytes);
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

QByteArray utf16le(const QString &text);
bool writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);

// Runs `body` in a forked child as an ordinary user and returns its result
// (the child's exit code). When the tests run as root the child becomes
// "nobody", so permission checks apply; kUnprivilegedUnavailable when that
// cannot be done. Files the child must reach are handed over with
// giveToUnprivileged.
constexpr int kUnprivilegedUnavailable = 125;
int runUnprivileged(const std::function<int()> &body);
// Makes `path` belong to the user runUnprivileged's child runs as (a no-op
// when the tests do not run as root).
bool giveToUnprivileged(const QString &path);
// Entries named in bytes that are not valid UTF-8, which Qt can neither make
// nor see. QTemporaryDir cannot remove them either: a test that makes them
// removes them with removeRawNamedEntries (such folders with all they hold).
bool writeRawNamedFile(const QString &folder, const QByteArray &name, const QByteArray &bytes);
bool makeRawNamedFolder(const QString &folder, const QByteArray &name);
void removeRawNamedEntries(const QString &folder);

// A built program run to its end (at most a minute) with its output;
// fileSizeLimit > 0 limits the files it writes to that many bytes, as on a
// full disk (its writes past the limit fail instead of killing it).
struct ProgramRun {
    int status = -1; // the exit code; -1 when it crashed or did not finish
    QString out;
    QString err;

    QStringList outLines() const;
    QStringList errLines() const;
};
// workingFolder, when given, is the folder the program starts in.
ProgramRun runProgram(const QString &program, const QStringList &arguments, qint64 fileSizeLimit = 0,
                      const QString &workingFolder = {});

} // namespace testsupport
