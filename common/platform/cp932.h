#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace platform {

// The length of the valid UTF-8 sequence at `at` (setting `code`), 0 when
// the byte there does not start one: stray continuation bytes, overlong
// forms, surrogates and values past U+10FFFF are not valid.
int utf8SequenceAt(const QByteArray &raw, qsizetype at, char32_t &code);

// Well-formed UTF-8, by that rule.
bool isValidUtf8(const QByteArray &bytes);

// Text in the Japanese code page 932, as the Windows programs wrote their
// settings files and as names from Windows machines and archives hold it.

// Bytes the code page does not define, and a character cut off at the end,
// come out as replacement characters. Through Qt's converter where it has
// one, else through glibc's iconv.
QString decodeCp932(const QByteArray &bytes);
QString decodeCp932WithIconv(const QByteArray &bytes);

// The text only when every byte belongs to a character of the code page.
std::optional<QString> strictCp932(const QByteArray &bytes);

// A name whose encoding nobody recorded (an archive's entry, say): UTF-8 when
// the bytes are valid UTF-8, else CP932.
QString decodeUtf8OrCp932(const QByteArray &bytes);

} // namespace platform
