#pragma once

#include "book/bookrecords.h"

#include <QString>
#include <QStringList>

namespace kvb {

// The name a page gets in an exported archive: its number from 1 as "%04d"
// (more digits past 9999) and the extension of its kind: 0001.jpg, 0002.png.
QString archivePageName(int index, uint8_t kind);

// Writes a book's pages as a ZIP for comic readers (a .cbz): ComicInfo.xml
// made from the attributes and layout flags (writeComicInfo), then every page
// stored as it is, not compressed again, under archivePageName. The file is
// written beside `target` and takes its place only when whole; a link there
// is replaced, never written through. False when a page cannot be read (its
// source changed or went) or the file cannot be written; the target is then
// as it was. Attributes without a place in ComicInfo.xml are named in
// `leftOut`.
bool writeBookArchive(const QString &target, uint8_t layoutFlags, const AttributeList &attributes,
                      const PageList &pages, QStringList *leftOut = nullptr);

} // namespace kvb
