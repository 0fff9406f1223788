#pragma once

#include <book/bookrecords.h>

#include <QString>

#include <optional>

namespace harvester {

// A name's leading number taken as a publication date, by the packer's
// rule: exactly 4, 6 or 8 leading digits give year, year and month, or
// year, month and day; the day must fit its month (February 29 only in leap
// years), while a month above 12 is taken with any day.
struct NameDate {
    std::optional<kvb::BookDate> date;
    // With a date, the name without the number and the white space after
    // it; otherwise the whole name.
    QString rest;
};

NameDate publicationDateFromName(const QString &name);

} // namespace harvester
