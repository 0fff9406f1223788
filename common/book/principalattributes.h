#pragma once

#include "bookrecords.h"

#include <QString>

#include <array>
#include <optional>

namespace kvb {

// The attributes a book leads with: one text of each type from Title to
// Circle (so the first author, publisher and circle) and the publication date.
struct PrincipalAttributes {
    std::array<QString, Circle - Title + 1> texts;
    std::optional<BookDate> date;

    // The text of a type from Title to Circle.
    QString &text(uint8_t type) { return texts[size_t(type - Title)]; }
    const QString &text(uint8_t type) const { return texts[size_t(type - Title)]; }
};

// The attribute list a book is written with: title, subtitle, first author,
// first publisher and first circle (each only when not empty), the date, then
// the further attributes in their order. A date among the further ones is
// left out: a book carries one date, in its place among the principal ones.
AttributeList bookAttributeList(const PrincipalAttributes &principal, const AttributeList &further = {});

} // namespace kvb
