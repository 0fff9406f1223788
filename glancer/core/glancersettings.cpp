#include "glancersettings.h"

#include "platform/settingsreaders.h"

#include <algorithm>

namespace glancer {

namespace {

constexpr int kDefaultNormal = 2;
constexpr int kDefaultFullScreen = 4;
constexpr int kDefaultPad = 40;

int clampSizeIndex(int index)
{
    return std::clamp(index, 0, GlancerSettings::kSizeIndexCount - 1);
}

} // namespace

QString GlancerSettings::fontSizeText() const
{
    return QString::asprintf("%d:%d:%d", sizeNormal, sizeFullScreen, padSize);
}

void GlancerSettings::setFontSizeText(const QString &text)
{
    const auto n = platform::parseNumbers(text, u':', 2, 3);
    if (!n) {
        sizeNormal = kDefaultNormal;
        sizeFullScreen = kDefaultFullScreen;
        padSize = kDefaultPad;
        return;
    }
    // The indices choose rows of the size table: values outside it would
    // point past its end, so they are brought to its nearer end.
    sizeNormal = clampSizeIndex((*n)[0]);
    sizeFullScreen = clampSizeIndex((*n)[1]);
    padSize = n->size() == 3 ? std::clamp((*n)[2], kPadMin, kPadMax) : kDefaultPad;
}

void GlancerSettings::load(QSettings &store)
{
    using namespace platform;
    if (store.contains(QStringLiteral("FontSize")))
        setFontSizeText(store.value(QStringLiteral("FontSize")).toString());
    const QString folder = store.value(QStringLiteral("CurrentFolder")).toString();
    currentFolder = folder;
    loadViewValues(store);
    if (const auto layout = readInt(store, "Layout2"))
        layout2 = *layout >= 1 && *layout <= 3 ? *layout : 2;
    if (const auto binding = readInt(store, "Bind"))
        bind = *binding == 1 ? 1 : 0;
    if (const auto ext = readInt(store, "PicExt"))
        picExt = *ext & 0x1F;
}

void GlancerSettings::saveDialogValues(QSettings &store) const
{
    store.setValue(QStringLiteral("FontSize"), fontSizeText());
    saveViewValues(store);
    store.setValue(QStringLiteral("Layout2"), layout2);
    store.setValue(QStringLiteral("Bind"), bind);
    store.setValue(QStringLiteral("PicExt"), picExt & (PicBmp | PicJpeg | PicPng));
}

void GlancerSettings::saveCurrentFolder(QSettings &store) const
{
    store.setValue(QStringLiteral("CurrentFolder"), currentFolder);
}

} // namespace glancer
