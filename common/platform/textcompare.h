#pragma once

#include <QStringView>

namespace platform {

// Logical order of names as a file manager shows them: letters compared
// without regard to case, runs of digits compared by their numeric value
// ("2" before "10"). Independent of the locale. Returns <0, 0 or >0.
int logicalCompare(QStringView a, QStringView b);

// True when every character is ASCII or half-width katakana (U+FF61..U+FF9F).
bool isHalfWidth(QStringView text);

// True when the character is a control character (C0, DEL or C1).
bool isControlCharacter(QChar c);
// True when any character of the text is a control character.
bool hasControlCharacter(QStringView text);

} // namespace platform
