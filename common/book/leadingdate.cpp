#include "leadingdate.h"

namespace kvb {

LeadingDate readLeadingDate(const QString &name)
{
    LeadingDate result;
    int digits = 0;
    while (digits < name.size() && name[digits] >= u'0' && name[digits] <= u'9')
        ++digits;
    result.digits = digits;
    result.rest = name;
    if (digits != 4 && digits != 6 && digits != 8)
        return result;
    auto number = [&](int from, int count) { return name.mid(from, count).toInt(); };
    result.dated = true;
    result.date.year = number(0, 4);
    if (digits >= 6)
        result.date.month = number(4, 2);
    if (digits == 8)
        result.date.day = number(6, 2);
    int from = digits;
    while (from < name.size() && name[from].isSpace())
        ++from;
    result.rest = name.mid(from);
    return result;
}

} // namespace kvb
