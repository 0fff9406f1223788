#include "folderdate.h"

#include <algorithm>

namespace bindery {

kvb::LeadingDate clampedFolderDate(const QString &name)
{
    kvb::LeadingDate result = kvb::readLeadingDate(name);
    result.date.month = std::min(result.date.month, 12);
    result.date.day = std::min(result.date.day, 31);
    return result;
}

} // namespace bindery
