#include "namedate.h"

#include <book/leadingdate.h>

namespace harvester {

NameDate publicationDateFromName(const QString &name)
{
    const kvb::LeadingDate leading = kvb::readLeadingDate(name);
    const kvb::BookDate &d = leading.date;
    const bool fits = d.month > 12 || d.day <= kvb::lastAllowedDay(d.year, d.month);
    if (!leading.dated || !fits)
        return {std::nullopt, name};
    return {d, leading.rest};
}

} // namespace harvester
