#include "principalattributes.h"

namespace kvb {

AttributeList bookAttributeList(const PrincipalAttributes &principal, const AttributeList &further)
{
    AttributeList list;
    for (uint8_t type = Title; type <= Circle; ++type) {
        const QString &text = principal.text(type);
        if (text.isEmpty())
            continue;
        AttributeEntry entry;
        entry.type = type;
        entry.text = text;
        list.push_back(entry);
    }
    if (principal.date) {
        AttributeEntry date;
        date.type = PublicationDate;
        date.year = uint16_t(principal.date->year);
        date.month = uint8_t(principal.date->month);
        date.day = uint8_t(principal.date->day);
        list.push_back(date);
    }
    for (const AttributeEntry &entry : further) {
        if (entry.type != PublicationDate)
            list.push_back(entry);
    }
    return list;
}

} // namespace kvb
