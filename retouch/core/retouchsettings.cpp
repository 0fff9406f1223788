#include "retouchsettings.h"

#include "curvechoices.h"

#include <platform/settingsreaders.h>

#include <QSettings>

namespace retouch {

void RetouchSettings::load(const QSettings &store)
{
    gammaSel = platform::readIntInRange(store, "GammaSel", 0, kCurveCount - 1).value_or(kDefaultCurve);
    jq = platform::readIntInRange(store, "JQ", 0, 100).value_or(95);
}

void RetouchSettings::save(QSettings &store) const
{
    store.setValue("GammaSel", gammaSel);
    store.setValue("JQ", jq);
}

} // namespace retouch
