// Reads arbitrary text as one stored resume value ("kind|page|count|zoom|single|path").
// A value that parses must come back unchanged through the stored format.
#include "shelf/resumelist.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString value = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    leafreader::BookEntry entry;
    if (!leafreader::ResumeList::parseEntry(value, entry))
        return 0;
    if (entry.kind != leafreader::BookEntry::BookFile && entry.kind != leafreader::BookEntry::Empty)
        __builtin_trap();
    leafreader::BookEntry again;
    if (!leafreader::ResumeList::parseEntry(leafreader::ResumeList::formatEntry(entry), again))
        __builtin_trap();
    if (again.kind != entry.kind || again.page != entry.page || again.pageCount != entry.pageCount
        || again.zoom != entry.zoom || again.singlePage != entry.singlePage || again.path != entry.path)
        __builtin_trap();
    return 0;
}
