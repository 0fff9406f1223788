#include "cp932.h"

#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace platform {

namespace {

// Converts through iconv; a byte that is not part of a character becomes
// U+FFFD, or ends the conversion with false when `strict`.
bool convertWithIconv(const QByteArray &bytes, QString &text, bool strict)
{
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        text = QString::fromLatin1(bytes);
        return !strict;
    }
    QByteArray in = bytes;
    QByteArray out(in.size() * 2 + 4, '\0');
    char *inPtr = in.data();
    size_t inLeft = size_t(in.size());
    char *outPtr = out.data();
    size_t outLeft = size_t(out.size());
    bool whole = true;
    while (inLeft > 0) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
            if ((errno != EILSEQ && errno != EINVAL) || strict || outLeft < 2) {
                whole = false;
                break;
            }
            // An undefined or cut-off byte becomes U+FFFD.
            *outPtr++ = static_cast<char>(0xFD);
            *outPtr++ = static_cast<char>(0xFF);
            outLeft -= 2;
            ++inPtr;
            --inLeft;
        }
    }
    iconv_close(cd);
    text = QString(reinterpret_cast<const QChar *>(out.constData()),
                   (out.size() - static_cast<qsizetype>(outLeft)) / 2);
    return whole;
}

} // namespace

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


bool isValidUtf8(const QByteArray &bytes)
{
    char32_t code = 0;
    for (qsizetype i = 0; i < bytes.size();) {
        const int length = utf8SequenceAt(bytes, i, code);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

QString decodeCp932(const QByteArray &bytes)
{
    // Most fields are numbers and keys; CP932 keeps printable ASCII as it is
    // (not every control character), and opening a converter costs more than
    // reading a whole field.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= 0x20 && c < 0x7F; }))
        return QString::fromLatin1(bytes);
    QStringDecoder decoder("CP932");
    if (decoder.isValid())
        return decoder.decode(bytes);
    return decodeCp932WithIconv(bytes);
}

QString decodeCp932WithIconv(const QByteArray &bytes)
{
    QString text;
    convertWithIconv(bytes, text, false);
    return text;
}

std::optional<QString> strictCp932(const QByteArray &bytes)
{
    QString text;
    if (!convertWithIconv(bytes, text, true))
        return std::nullopt;
    return text;
}

QString decodeUtf8OrCp932(const QByteArray &bytes)
{
    return isValidUtf8(bytes) ? QString::fromUtf8(bytes) : decodeCp932(bytes);
}

} // namespace platform
