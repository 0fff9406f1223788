#pragma once

#include <QString>

namespace platform {

// The suite's version as four numbers, " %u.%u.%u.%u" as the About boxes show it.
QString versionText();

} // namespace platform
