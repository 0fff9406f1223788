#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Well-formed UTF-8: no overlong forms, surrogates or values past U+10FFFF.
bool isValidUtf8(const QByteArray &bytes);

// Text from the Japanese Windows code page 932, as the older programs wrote
// their files and as archives made on Japanese systems name their entries:
// through Qt's converter where it has one, else through glibc's iconv. Bytes
// the code page does not define become U+FFFD.
QString decodeCp932(const QByteArray &bytes);
QString decodeCp932WithIconv(const QByteArray &bytes);

// A name whose encoding nobody recorded: UTF-8 when the bytes are valid
// UTF-8, else CP932.
QString decodeUtf8OrCp932(const QByteArray &bytes);

} // namespace platform
