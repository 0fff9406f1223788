#include "testsupport.h"

#include "platform/filenames.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QProcess>
#include <QPainter>

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <pwd.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testsupport {

QImage cornerPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    const int cw = std::max(1, width / 4), ch = std::max(1, height / 4);
    QPainter p(&image);
    p.fillRect(0, 0, cw, ch, Qt::red);
    p.fillRect(width - cw, 0, cw, ch, Qt::green);
    p.fillRect(0, height - ch, cw, ch, Qt::blue);
    p.fillRect(width - cw, height - ch, cw, ch, Qt::white);
    return image;
}

QByteArray encode(const QImage &image, const char *format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

QByteArray jpegWithOrientation(const QImage &image, int orientation, bool bigEndian)
{
    const QByteArray jpeg = encode(image, "JPG");
    auto u16 = [&](QByteArray &out, uint16_t v) {
        if (bigEndian) {
            out.append(char(v >> 8)).append(char(v & 0xFF));
        } else {
            out.append(char(v & 0xFF)).append(char(v >> 8));
        }
    };
    auto u32 = [&](QByteArray &out, uint32_t v) {
        if (bigEndian) {
            u16(out, uint16_t(v >> 16));
            u16(out, uint16_t(v & 0xFFFF));
        } else {
            u16(out, uint16_t(v & 0xFFFF));
            u16(out, uint16_t(v >> 16));
        }
    };
    QByteArray tiff = bigEndian ? QByteArray("MM") : QByteArray("II");
    u16(tiff, 42);
    u32(tiff, 8);
    u16(tiff, 1);        // one entry
    u16(tiff, 274);      // Orientation
    u16(tiff, 3);        // SHORT
    u32(tiff, 1);        // count
    u16(tiff, uint16_t(orientation)); // value, left-justified
    u16(tiff, 0);
    u32(tiff, 0); // no next directory
    QByteArray segment("Exif\0\0", 6);
    segment += tiff;
    const int length = int(segment.size()) + 2;
    QByteArray out = jpeg.left(2);
    out.append(char(0xFF)).append(char(0xE1));
    out.append(char(length >> 8)).append(char(length & 0xFF));
    out += segment;
    out += jpeg.mid(2);
    return out;
}

QList<qsizetype> scanStarts(const QByteArray &jpeg)
{
    QList<qsizetype> starts;
    auto byte = [&](qsizetype i) { return uint8_t(jpeg[i]); };
    qsizetype i = 2;
    while (i + 4 <= jpeg.size() && byte(i) == 0xFF && byte(i + 1) != 0xD9) {
        const bool scan = byte(i + 1) == 0xDA;
        if (scan)
            starts << i;
        i += 2 + ((byte(i + 2) << 8) | byte(i + 3));
        // Scan data runs to the next marker other than a restart marker
        // (0xFF 0x00 is a stuffed data byte).
        while (scan && i + 1 < jpeg.size()
               && !(byte(i) == 0xFF && byte(i + 1) != 0 && (byte(i + 1) < 0xD0 || byte(i + 1) > 0xD7)))
            ++i;
    }
    return starts;
}

QByteArray jpegClaiming(QSize claimed, int scanBytes)
{
    QByteArray jpeg = encode(cornerPicture(16, 16), "JPG", 50);
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    jpeg[frame + 5] = char(claimed.height() >> 8);
    jpeg[frame + 6] = char(claimed.height() & 0xFF);
    jpeg[frame + 7] = char(claimed.width() >> 8);
    jpeg[frame + 8] = char(claimed.width() & 0xFF);
    const qsizetype scan = scanStarts(jpeg).value(0);
    const int scanHeader = 2 + ((uint8_t(jpeg[scan + 2]) << 8) | uint8_t(jpeg[scan + 3]));
    return jpeg.left(scan + scanHeader + scanBytes);
}

QByteArray progressiveJpeg(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.setQuality(90);
    writer.write(image);
    return bytes;
}

QByteArray utf16le(const QString &text)
{
    QByteArray out;
    for (QChar c : text)
        out.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    return out;
}

static void le16(QByteArray &out, uint16_t v)
{
    out.append(char(v & 0xFF)).append(char(v >> 8));
}

BookBytes &BookBytes::header(uint16_t pageCount, uint8_t layoutFlags, uint8_t thumbnailFlag)
{
    m_bytes.append(char(0x05)).append("KVB");
    le16(m_bytes, pageCount);
    m_bytes.append(char(layoutFlags)).append(char(thumbnailFlag));
    return *this;
}

BookBytes &BookBytes::thumbnail(uint8_t fill)
{
    m_bytes.append(QByteArray(96000, char(fill)));
    return *this;
}

BookBytes &BookBytes::rawAttribute(uint8_t type, const QByteArray &payload)
{
    m_bytes.append(char(type));
    le16(m_bytes, uint16_t(payload.size()));
    m_bytes += payload;
    return *this;
}

BookBytes &BookBytes::text(uint8_t type, const QString &text)
{
    return rawAttribute(type, utf16le(text));
}

BookBytes &BookBytes::date(uint16_t year, uint8_t month, uint8_t day)
{
    QByteArray payload;
    le16(payload, year);
    payload.append(char(month)).append(char(day));
    return rawAttribute(6, payload);
}

BookBytes &BookBytes::item(const QString &name, const QString &value)
{
    QByteArray payload;
    payload.append(char(2 * name.size())).append(utf16le(name));
    payload.append(char(2 * value.size())).append(utf16le(value));
    return rawAttribute(7, payload);
}

BookBytes &BookBytes::pageHead(uint8_t kind, uint32_t size)
{
    m_bytes.append(char(kind));
    for (int i = 0; i < 4; ++i)
        m_bytes.append(char((size >> (8 * i)) & 0xFF));
    return *this;
}

BookBytes &BookBytes::page(uint8_t kind, const QByteArray &data)
{
    pageHead(kind, uint32_t(data.size()));
    m_bytes += data;
    return *this;
}

BookBytes &BookBytes::raw(const QByteArray &bytes)
{
    m_bytes += bytes;
    return *this;
}

namespace {

// The account a root test run drops to.
const passwd *unprivilegedAccount()
{
    return ::geteuid() == 0 ? ::getpwnam("nobody") : nullptr;
}

} // namespace

int runUnprivileged(const std::function<int()> &body)
{
    const passwd *account = unprivilegedAccount();
    if (::geteuid() == 0 && !account)
        return kUnprivilegedUnavailable;
    const uid_t uid = account ? account->pw_uid : 0;
    const gid_t gid = account ? account->pw_gid : 0;
    const pid_t child = ::fork();
    if (child < 0)
        return kUnprivilegedUnavailable;
    if (child == 0) {
        if (account && (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0))
            ::_exit(kUnprivilegedUnavailable);
        ::_exit(body());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return kUnprivilegedUnavailable;
    return WEXITSTATUS(status);
}

bool giveToUnprivileged(const QString &path)
{
    const passwd *account = unprivilegedAccount();
    return !account || ::chown(QFile::encodeName(path).constData(), account->pw_uid, account->pw_gid) == 0;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f;
    return platform::openFile(f, path, QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile f;
    return platform::openFile(f, path, QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeRawNamedFile(const QString &folder, const QByteArray &name, const QByteArray &bytes)
{
    const QByteArray path = platform::nameBytes(folder) + '/' + name;
    const int fd = ::open(path.constData(), O_CREAT | O_TRUNC | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && written;
}

bool makeRawNamedFolder(const QString &folder, const QByteArray &name)
{
    return ::mkdir((platform::nameBytes(folder) + '/' + name).constData(), 0755) == 0;
}

namespace {

// Removes a folder's whole contents, whatever their names.
void removeContents(const QByteArray &folder)
{
    for (const platform::FolderEntry &entry : platform::folderEntries(platform::nameFromBytes(folder))) {
        const QByteArray path = folder + '/' + platform::nameBytes(entry.name);
        if (entry.isFolder && !entry.isLink) {
            removeContents(path);
            ::rmdir(path.constData());
        } else {
            ::unlink(path.constData());
        }
    }
}

} // namespace

void removeRawNamedEntries(const QString &folder)
{
    for (const platform::UnrepresentableEntry &entry : platform::unrepresentableEntries(folder)) {
        const QByteArray path = platform::nameBytes(folder) + '/' + entry.name;
        if (entry.isFolder) {
            removeContents(path);
            ::rmdir(path.constData());
        } else {
            ::unlink(path.constData());
        }
    }
}

QStringList ProgramRun::outLines() const
{
    return out.split(u'\n', Qt::SkipEmptyParts);
}

QStringList ProgramRun::errLines() const
{
    return err.split(u'\n', Qt::SkipEmptyParts);
}

ProgramRun runProgram(const QString &program, const QStringList &arguments, qint64 fileSizeLimit,
                      const QString &workingFolder)
{
    QProcess process;
    process.setWorkingDirectory(workingFolder);
    if (fileSizeLimit > 0) {
        process.setChildProcessModifier([fileSizeLimit] {
            ::signal(SIGXFSZ, SIG_IGN); // a failed write instead of a killed process
            const rlimit limit{rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
    }
    process.start(program, arguments);
    ProgramRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace testsupport
