#include "viewsettings.h"

#include "platform/settingsreaders.h"

#include <algorithm>

namespace leafreader {

int PageViewSettings::clampSkip(int pages) { return std::clamp(pages, 1, kSkipMax); }
int PageViewSettings::clampSpace(int pixels) { return std::clamp(pixels, 0, kSpaceMax); }

void PageViewSettings::loadViewValues(QSettings &store)
{
    using namespace platform;
    skipForward = readClampedInt(store, "SkipForward", 1, kSkipMax).value_or(skipForward);
    skipBack = readClampedInt(store, "SkipBack", 1, kSkipMax).value_or(skipBack);
    picEnlarge = readFlag(store, "PicEnlarge").value_or(picEnlarge);
    space = readClampedInt(store, "Space", 0, kSpaceMax).value_or(space);
    hideCursor = readFlag(store, "HideCursor").value_or(hideCursor);
}

void PageViewSettings::saveViewValues(QSettings &store) const
{
    store.setValue(QStringLiteral("SkipForward"), skipForward);
    store.setValue(QStringLiteral("SkipBack"), skipBack);
    store.setValue(QStringLiteral("PicEnlarge"), picEnlarge ? 1 : 0);
    store.setValue(QStringLiteral("Space"), space);
    store.setValue(QStringLiteral("HideCursor"), hideCursor ? 1 : 0);
}

} // namespace leafreader
