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

bool isValidUtf8(const QByteArray &bytes)
{
    int pending = 0;            // continuation bytes still expected
    unsigned char low = 0x80;   // allowed range of the next continuation byte
    unsigned char high = 0xBF;
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (pending > 0) {
            if (c < low || c > high)
                return false;
            low = 0x80;
            high = 0xBF;
            --pending;
        } else if (c < 0x80) {
        } else if (c >= 0xC2 && c <= 0xDF) {
            pending = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            pending = 2;
            if (c == 0xE0)
                low = 0xA0;
            else if (c == 0xED)
                high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            pending = 3;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
    }
    return pending == 0;
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
