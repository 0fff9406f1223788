#include "readersettings.h"

#include "platform/settingsreaders.h"

#include <algorithm>

namespace leafreader {

int ReaderSettings::clampSkip(int pages) { return std::clamp(pages, 1, kSkipMax); }
int ReaderSettings::clampSpace(int pixels) { return std::clamp(pixels, 0, kSpaceMax); }
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
    skipForward = readClampedInt(store, "SkipForward", 1, kSkipMax).value_or(skipForward);
    skipBack = readClampedInt(store, "SkipBack", 1, kSkipMax).value_or(skipBack);
    picEnlarge = readFlag(store, "PicEnlarge").value_or(picEnlarge);
    space = readClampedInt(store, "Space", 0, kSpaceMax).value_or(space);
    hideCursor = readFlag(store, "HideCursor").value_or(hideCursor);
    apcPriority = readClampedInt(store, "APCPriority", 0, 5).value_or(apcPriority);
    interval = readClampedInt(store, "Interval", 1, kIntervalMax).value_or(interval);
    loop = readFlag(store, "Loop").value_or(loop);
}

void ReaderSettings::saveDialogValues(QSettings &store) const
{
    store.setValue(QStringLiteral("Scale"), scaleText());
    store.setValue(QStringLiteral("APCPriority"), apcPriority);
    store.setValue(QStringLiteral("SkipForward"), skipForward);
    store.setValue(QStringLiteral("SkipBack"), skipBack);
    store.setValue(QStringLiteral("PicEnlarge"), picEnlarge ? 1 : 0);
    store.setValue(QStringLiteral("Space"), space);
    store.setValue(QStringLiteral("HideCursor"), hideCursor ? 1 : 0);
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
    skipForward = from.skipForward;
    skipBack = from.skipBack;
    picEnlarge = from.picEnlarge;
    space = from.space;
    hideCursor = from.hideCursor;
    interval = from.interval;
    loop = from.loop;
}

void ReaderSettings::save(QSettings &store) const
{
    saveDialogValues(store);
}

} // namespace leafreader
