#include "textcompare.h"

namespace platform {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

char16_t fold(QChar c)
{
    return c.toCaseFolded().unicode();
}

} // namespace

int logicalCompare(QStringView a, QStringView b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            // Compare digit runs by value: skip leading zeros, then the longer
            // run is larger, then digit by digit.
            qsizetype si = i, sj = j;
            while (si < a.size() && a[si] == u'0')
                ++si;
            while (sj < b.size() && b[sj] == u'0')
                ++sj;
            qsizetype ei = si, ej = sj;
            while (ei < a.size() && isDigit(a[ei]))
                ++ei;
            while (ej < b.size() && isDigit(b[ej]))
                ++ej;
            if (ei - si != ej - sj)
                return ei - si < ej - sj ? -1 : 1;
            for (qsizetype k = 0; k < ei - si; ++k) {
                if (a[si + k] != b[sj + k])
                    return a[si + k] < b[sj + k] ? -1 : 1;
            }
            // Equal values: more leading zeros sorts first, then go on.
            if (si - i != sj - j)
                return si - i > sj - j ? -1 : 1;
            i = ei;
            j = ej;
            continue;
        }
        const char16_t ca = fold(a[i]);
        const char16_t cb = fold(b[j]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

bool isHalfWidth(QStringView text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F))
            continue;
        return false;
    }
    return true;
}

bool isControlCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F);
}

bool hasControlCharacter(QStringView text)
{
    for (QChar c : text) {
        if (isControlCharacter(c))
            return true;
    }
    return false;
}

} // namespace platform
