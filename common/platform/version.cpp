#include "version.h"

namespace platform {

QString versionText()
{
    return QString::asprintf(" %u.%u.%u.%u", unsigned(VELLORAN_VERSION_MAJOR),
                             unsigned(VELLORAN_VERSION_MINOR), unsigned(VELLORAN_VERSION_PATCH),
                             unsigned(VELLORAN_VERSION_TWEAK));
}

} // namespace platform
