#pragma once

#include "bookrecords.h"

#include <QString>

namespace kvb {

// The leading number of a folder or file name read as a publication date.
struct LeadingDate {
    bool dated = false; // the name starts with exactly 4, 6 or 8 digits
    int digits = 0;     // how many digits the name starts with
    // The digits as they stand: 4 give the year, 6 the year and month, 8 the
    // year, month and day; a part the name does not give is 0. Not limited
    // to real months and days: what a program accepts is its own choice.
    BookDate date;
    // When dated, the name without the number and the white space after it;
    // otherwise the whole name.
    QString rest;
};

LeadingDate readLeadingDate(const QString &name);

} // namespace kvb
