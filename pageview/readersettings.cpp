#include "readersettings.h"

#include "platform/settingsreaders.h"

#include <algorithm>

namespace leafreader {

int ReaderSettings::clampInterval(int seconds) { return std::clamp(seconds, 1, kIntervalMax); }
int ReaderSettings::clampScale(int scale) { return std::clamp(scale, -kScaleLimit, kScaleLimit); }

QString ReaderSettings::scaleText() const
{
    return QString::asprintf("%d:%d:%d:%d", scaleNormal, scaleFullScreen, scalePad,
                             scaleListColumn);
}

void ReaderSettings::setScaleText(const QString &text)
{
    const auto n = platform::parseNumbers(text, u':', 3, 4);
    if (!n) {
        scaleNormal = 0;
        scaleFullScreen = 2;
        scalePad = 0;
        scaleListColumn = 0;
        return;
    }
    scaleNormal = clampScale((*n)[0]);
    scaleFullScreen = clampScale((*n)[1]);
    scalePad = clampScale((*n)[2]);
    scaleListColumn = n->size() == 4 ? clampScale((*n)[3]) : 0;
}

void ReaderSettings::load(QSettings &store)
{
    using namespace platform;
    setScaleText(store.value(QStringLiteral("Scale")).toString());
    loadViewValues(store);
    apcPriority = readClampedInt(store, "APCPriority", 0, 5).value_or(apcPriority);
    interval = readClampedInt(store, "Interval", 1, kIntervalMax).value_or(interval);
    loop = readFlag(store, "Loop").value_or(loop);
}

void ReaderSettings::saveDialogValues(QSettings &store) const
{
    store.setValue(QStringLiteral("Scale"), scaleText());
    store.setValue(QStringLiteral("APCPriority"), apcPriority);
    saveViewValues(store);
    store.setValue(QStringLiteral("Interval"), interval);
    store.setValue(QStringLiteral("Loop"), loop ? 1 : 0);
}

void ReaderSettings::takeDialogValues(const ReaderSettings &from)
{
    scaleNormal = from.scaleNormal;
    scaleFullScreen = from.scaleFullScreen;
    scalePad = from.scalePad;
    scaleListColumn = from.scaleListColumn;
    apcPriority = from.apcPriority;
    static_cast<PageViewSettings &>(*this) = from;
    interval = from.interval;
    loop = from.loop;
}

void ReaderSettings::save(QSettings &store) const
{
    saveDialogValues(store);
}

} // namespace leafreader
