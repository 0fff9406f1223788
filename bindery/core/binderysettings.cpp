#include "binderysettings.h"

#include <platform/settingsreaders.h>

#include <algorithm>

namespace bindery {

void BinderySettings::load(QSettings &store)
{
    using namespace platform;
    *this = BinderySettings();
    cover = readFlag(store, "Cover").value_or(cover);
    bindR = readFlag(store, "BindR").value_or(bindR);
    pageSpread = readFlag(store, "PageSpread").value_or(pageSpread);
    thumbnail = readFlag(store, "Thumbnail").value_or(thumbnail);
    if (const auto date = readNumbers(store, "Date", u';', 3, 3)) {
        const std::vector<int> &d = *date;
        if (d[0] >= 0 && d[0] <= 9999)
            year = d[0];
        if (d[1] >= 0 && d[1] <= 12)
            month = d[1];
        if (d[2] >= 0 && d[2] <= 31)
            day = d[2];
    }
    nameAsTitle = readFlag(store, "NameAsTitle").value_or(nameAsTitle);
    nameTopAsDate = readFlag(store, "NameTopAsDate").value_or(nameTopAsDate);
    parentNameAs = readClampedInt(store, "ParentNameAs", 0, 3).value_or(parentNameAs);
    const QString prefix = store.value(QStringLiteral("ExpPrefix")).toString();
    if (prefix.size() <= kMaxPrefixChars)
        expPrefix = prefix;
    expStartNum = readClampedInt(store, "ExpStartNum", 0, kMaxStartNum).value_or(expStartNum);
    kvbFolder = readExistingFolder(store, "KVBFolder");
    asDocFolder = readExistingFolder(store, "AsDocFolder");
    imageFolder = readExistingFolder(store, "ImageFolder");
    imageFolder2 = readExistingFolder(store, "ImageFolder2");
    expFolder = readExistingFolder(store, "ExpFolder");
    autoFileName = readIntInRange(store, "AutoFileName", 0, 4).value_or(autoFileName);
    winPos = readWindowRect(store, "WinPos");
}

void BinderySettings::save(QSettings &store) const
{
    store.setValue(QStringLiteral("Cover"), cover ? 1 : 0);
    store.setValue(QStringLiteral("BindR"), bindR ? 1 : 0);
    store.setValue(QStringLiteral("PageSpread"), pageSpread ? 1 : 0);
    store.setValue(QStringLiteral("Thumbnail"), thumbnail ? 1 : 0);
    store.setValue(QStringLiteral("Date"), QStringLiteral("%1;%2;%3").arg(year).arg(month).arg(day));
    store.setValue(QStringLiteral("NameAsTitle"), nameAsTitle ? 1 : 0);
    store.setValue(QStringLiteral("NameTopAsDate"), nameTopAsDate ? 1 : 0);
    store.setValue(QStringLiteral("ParentNameAs"), std::clamp(parentNameAs, 0, 3));
    store.setValue(QStringLiteral("ExpPrefix"), expPrefix);
    store.setValue(QStringLiteral("ExpStartNum"), std::clamp(expStartNum, 0, kMaxStartNum));
    platform::writeNameText(store, "KVBFolder", kvbFolder);
    platform::writeNameText(store, "AsDocFolder", asDocFolder);
    platform::writeNameText(store, "ImageFolder", imageFolder);
    platform::writeNameText(store, "ImageFolder2", imageFolder2);
    platform::writeNameText(store, "ExpFolder", expFolder);
    store.setValue(QStringLiteral("AutoFileName"), std::clamp(autoFileName, 0, 4));
    if (winPos)
        store.setValue(QStringLiteral("WinPos"), platform::windowRectText(*winPos));
}

} // namespace bindery
