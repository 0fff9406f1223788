#include "windowplacement.h"

#include "platform/settingsreaders.h"

#include <QSettings>

namespace ui {

QString WindowPlacement::toText() const
{
    return QString::asprintf("%d:%d:%d:%d:%d:%d:%d:%d:%d:%d", flags, showCommand, minX, minY, maxX,
                             maxY, left, top, right, bottom);
}

bool WindowPlacement::fromText(const QString &text, WindowPlacement &out)
{
    const auto n = platform::parseNumbers(text, u':', 10, 10);
    if (!n)
        return false;
    out = {(*n)[0], (*n)[1], (*n)[2], (*n)[3], (*n)[4], (*n)[5], (*n)[6], (*n)[7], (*n)[8], (*n)[9]};
    return true;
}

void FrameSettings::load(QSettings &store)
{
    hasWindowPos = WindowPlacement::fromText(store.value(QStringLiteral("WindowPos")).toString(), windowPos);
    fullScreen = platform::readFlag(store, "FullScreen").value_or(fullScreen);
}

void FrameSettings::save(QSettings &store) const
{
    store.setValue(QStringLiteral("FullScreen"), fullScreen ? 1 : 0);
    if (hasWindowPos)
        store.setValue(QStringLiteral("WindowPos"), windowPos.toText());
}

bool ignoreStoredPosition()
{
    return qEnvironmentVariable("VELLORAN_IGNORE_WINPOS") == QLatin1String("1");
}

} // namespace ui
