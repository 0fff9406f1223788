#pragma once

#include <book/leadingdate.h>

#include <QString>

namespace bindery {

// The date a folder opened as a document gives by its leading number: a month
// above 12 is taken as 12 and a day above 31 as 31, so the date fields can
// hold it.
kvb::LeadingDate clampedFolderDate(const QString &name);

} // namespace bindery
