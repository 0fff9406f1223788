#include "filenames.h"

#include "paths.h"
#include "textcompare.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

namespace {

void appendEscaped(QString &out, char32_t u)
{
    const bool control = u < 0x20 || (u >= 0x7F && u <= 0x9F);
    const bool surrogate = u >= 0xD800 && u <= 0xDFFF;
    if (control || surrogate)
        out += QString::asprintf("\\u%04x", unsigned(u));
    else
        out += QString::fromUcs4(&u, 1);
}

// The length of the valid UTF-8 sequence at `at`, 0 when the byte there does
// not start one (stray continuation bytes, overlong forms, surrogates and
// code points past U+10FFFF are not valid).
int utf8SequenceAt(const QByteArray &raw, qsizetype at, char32_t &code)
{
    const auto byte = [&](qsizetype i) { return uint8_t(raw[i]); };
    const uint8_t lead = byte(at);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    int length = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (at + length > raw.size())
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

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
    QString out;
    for (qsizetype i = 0; i < raw.size();) {
        char32_t code = 0;
        const int length = utf8SequenceAt(raw, i, code);
        if (length == 0) {
            out += QString::asprintf("\\x%02x", unsigned(uint8_t(raw[i])));
            ++i;
        } else {
            appendEscaped(out, code);
            i += length;
        }
    }
    return out;
}

bool isRepresentableName(const QByteArray &raw)
{
    return QFile::encodeName(QFile::decodeName(raw)) == raw;
}

QString UnrepresentableEntry::shownPath(const QString &folder) const
{
    return joinPath(escapedText(folder), escapedName(name));
}

QList<UnrepresentableEntry> unrepresentableEntries(const QString &folder)
{
    QList<UnrepresentableEntry> found;
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return found;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == ".." || isRepresentableName(name))
            continue;
        UnrepresentableEntry e;
        e.name = name;
        // Links count as what they point to, as in Qt's listings.
        struct stat status {};
        e.isFolder = ::fstatat(::dirfd(dir), entry->d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
        found << e;
    }
    ::closedir(dir);
    return found;
}

} // namespace platform
