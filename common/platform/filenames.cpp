#include "filenames.h"

#include "cp932.h"
#include "paths.h"

#include <QDir>
#include <QUrl>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {

namespace {

constexpr char16_t kByteBase = 0xDC00;

// A lone surrogate that stands for a byte: U+DC80..U+DCFF not preceded by a
// high surrogate.
bool isCarriedByte(QStringView text, qsizetype at)
{
    const char16_t c = text[at].unicode();
    return c >= kByteBase + 0x80 && c <= kByteBase + 0xFF && (at == 0 || !text[at - 1].isHighSurrogate());
}

void appendEscaped(QString &out, char32_t u)
{
    const bool control = u < 0x20 || (u >= 0x7F && u <= 0x9F);
    const bool surrogate = u >= 0xD800 && u <= 0xDFFF;
    if (u >= kByteBase + 0x80 && u <= kByteBase + 0xFF)
        out += QString::asprintf("\\x%02x", unsigned(u - kByteBase));
    else if (control || surrogate)
        out += QString::asprintf("\\u%04x", unsigned(u));
    else
        out += QString::fromUcs4(&u, 1);
}

} // namespace

QString nameFromBytes(const QByteArray &raw)
{
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size();) {
        char32_t code = 0;
        const int length = utf8SequenceAt(raw, i, code);
        if (length == 0) {
            out += QChar(char16_t(kByteBase + uint8_t(raw[i])));
            ++i;
        } else {
            if (QChar::requiresSurrogates(code)) {
                out += QChar(QChar::highSurrogate(code));
                out += QChar(QChar::lowSurrogate(code));
            } else {
                out += QChar(char16_t(code));
            }
            i += length;
        }
    }
    return out;
}

QByteArray nameBytes(QStringView name)
{
    QByteArray out;
    out.reserve(name.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!isCarriedByte(name, i))
            continue;
        out += name.mid(runStart, i - runStart).toUtf8();
        out += char(name[i].unicode() - kByteBase);
        runStart = i + 1;
    }
    out += name.mid(runStart).toUtf8();
    return out;
}

bool carriesRawBytes(QStringView name)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (isCarriedByte(name, i))
            return true;
    }
    return false;
}

QString shownName(QStringView nameOrPath)
{
    if (!carriesRawBytes(nameOrPath))
        return nameOrPath.toString();
    QString out;
    for (const QStringView component : nameOrPath.tokenize(u'/')) {
        if (component.data() != nameOrPath.data())
            out += u'/';
        if (!carriesRawBytes(component)) {
            out += component;
        } else if (const std::optional<QString> text = strictCp932(nameBytes(component))) {
            out += escapedText(*text);
        } else {
            out += escapedText(component);
        }
    }
    return out;
}

QString escapedText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else {
            appendEscaped(out, c.unicode());
        }
    }
    return out;
}

QString escapedName(const QByteArray &raw)
{
    return escapedText(nameFromBytes(raw));
}

bool isRepresentableName(const QByteArray &raw)
{
    return isValidUtf8(raw);
}

PathInfo pathInfo(const QString &path)
{
    PathInfo info;
    const QByteArray native = nameBytes(path);
    struct stat status {};
    if (native.isEmpty() || ::lstat(native.constData(), &status) != 0)
        return info;
    info.isLink = S_ISLNK(status.st_mode);
    if (info.isLink && ::stat(native.constData(), &status) != 0)
        return info;
    info.exists = true;
    info.isFolder = S_ISDIR(status.st_mode);
    info.isFile = S_ISREG(status.st_mode);
    info.size = info.isFile ? qint64(status.st_size) : 0;
    info.modifiedNs = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    return info;
}

QString absolutePath(const QString &path)
{
    if (path.isEmpty() || path.startsWith(u'/'))
        return path.isEmpty() ? path : QDir::cleanPath(path);
    char *here = ::getcwd(nullptr, 0);
    const QString folder = here ? nameFromBytes(QByteArray(here)) : QString();
    std::free(here);
    return QDir::cleanPath(joinPath(folder, path));
}

QString canonicalPath(const QString &path)
{
    const QByteArray native = nameBytes(path);
    if (native.isEmpty())
        return {};
    char *resolved = ::realpath(native.constData(), nullptr);
    if (!resolved)
        return {};
    const QString result = nameFromBytes(QByteArray(resolved));
    std::free(resolved);
    return result;
}

QString localPathOf(const QUrl &url)
{
    if (!url.isLocalFile())
        return {};
    return nameFromBytes(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

bool openFile(QFile &file, const QString &path, QIODevice::OpenMode mode)
{
    if (!carriesRawBytes(path)) {
        file.setFileName(path);
        return file.open(mode);
    }
    int flags = O_CLOEXEC;
    if ((mode & QIODevice::ReadWrite) == QIODevice::ReadWrite)
        flags |= O_RDWR | O_CREAT;
    else if (mode & QIODevice::WriteOnly)
        flags |= O_WRONLY | O_CREAT;
    else
        flags |= O_RDONLY;
    if (mode & QIODevice::Append)
        flags |= O_APPEND;
    else if ((mode & QIODevice::ReadWrite) == QIODevice::WriteOnly || (mode & QIODevice::Truncate))
        flags |= O_TRUNC;
    const int fd = ::open(nameBytes(path).constData(), flags, 0666);
    if (fd < 0)
        return false;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)
        || !file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

QList<FolderEntry> folderEntries(const QString &folder)
{
    QList<FolderEntry> found;
    DIR *dir = ::opendir(nameBytes(folder).constData());
    if (!dir)
        return found;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        FolderEntry e;
        e.name = nameFromBytes(name);
        struct stat status {};
        if (::fstatat(::dirfd(dir), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(status.st_mode)) {
            e.isLink = true;
            if (::fstatat(::dirfd(dir), entry->d_name, &status, 0) != 0)
                status = {};
        }
        e.isFolder = S_ISDIR(status.st_mode);
        e.isFile = S_ISREG(status.st_mode);
        e.size = e.isFile ? qint64(status.st_size) : 0;
        found << e;
    }
    ::closedir(dir);
    return found;
}

QString UnrepresentableEntry::shownPath(const QString &folder) const
{
    return joinPath(escapedText(folder), escapedName(name));
}

QList<UnrepresentableEntry> unrepresentableEntries(const QString &folder)
{
    QList<UnrepresentableEntry> found;
    for (const FolderEntry &entry : folderEntries(folder)) {
        if (carriesRawBytes(entry.name))
            found << UnrepresentableEntry{nameBytes(entry.name), entry.isFolder};
    }
    return found;
}

} // namespace platform
