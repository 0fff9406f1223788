#pragma once

#include "book/bookrecords.h"
#include "book/principalattributes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace kvb {

// A book's attributes as ComicInfo.xml (the metadata file comic archives
// carry at their root) gives them.
struct ComicInfo {
    PrincipalAttributes principal;
    // Further authors and publishers, then the other elements that have a
    // value as user-defined items, in the file's order.
    AttributeList further;
    bool bindRight = false; // Manga = "YesAndRightToLeft"

    AttributeList attributes() const { return bookAttributeList(principal, further); }
};

// Reads ComicInfo.xml:
// - Title gives the title; Series and Number the subtitle ("Series #Number"
//   when both are there, "#Number" for a number alone);
// - Writer, Penciller and Artist, in that order, the authors, each split at
//   commas (a name given twice counts once); Publisher and Imprint the
//   publishers;
// - Year, Month and Day the publication date (a part missing or out of range
//   stays open);
// - Manga = "YesAndRightToLeft" right binding;
// - every other element with a value a user-defined item.
// Texts are made one line (white space runs become one space, control
// characters go); a text longer than a book holds is cut with "…", an item
// name cut to 16 characters. Nothing, with the reason in `error`, when the
// file is not well-formed XML with a ComicInfo root.
std::optional<ComicInfo> readComicInfo(const QByteArray &xml, QString *error = nullptr);

// Writes ComicInfo.xml for a book: the mapping above reversed (all authors
// as Writer, the first publisher as Publisher and the others as Imprint, the
// date's parts that are not open, Manga = "YesAndRightToLeft" for a right
// binding; a spread has no element), the user-defined items as elements of
// their name, in the order the schema gives its elements. What has no place
// (circles, items whose name is no element name or one the mapping takes) is
// left out and named in `leftOut`.
QByteArray writeComicInfo(const AttributeList &attributes, uint8_t layoutFlags, QStringList *leftOut = nullptr);

} // namespace kvb
