#include "binderysettings.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace bindery {

namespace {

std::optional<int> readInt(QSettings &store, const char *name)
{
    bool ok = false;
    const int value = store.value(QLatin1String(name)).toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

bool readFlag(QSettings &store, const char *name, bool fallback)
{
    const std::optional<int> value = readInt(store, name);
    return value ? *value != 0 : fallback;
}

// Numbers separated by ';'; empty when any part is not a number or the count differs.
std::optional<std::vector<int>> readNumbers(QSettings &store, const char *name, int count)
{
    const QStringList parts = store.value(QLatin1String(name)).toString().split(u';');
    if (parts.size() != count)
        return std::nullopt;
    std::vector<int> numbers;
    for (const QString &part : parts) {
        bool ok = false;
        const int n = part.trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
        numbers.push_back(n);
    }
    return numbers;
}

QString readFolder(QSettings &store, const char *name)
{
    const QString folder = store.value(QLatin1String(name)).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

} // namespace

void BinderySettings::load(QSettings &store)
{
    *this = BinderySettings();
    cover = readFlag(store, "Cover", cover);
    bindR = readFlag(store, "BindR", bindR);
    pageSpread = readFlag(store, "PageSpread", pageSpread);
    thumbnail = readFlag(store, "Thumbnail", thumbnail);
    if (const auto date = readNumbers(store, "Date", 3)) {
        const std::vector<int> &d = *date;
        if (d[0] >= 0 && d[0] <= 9999)
            year = d[0];
        if (d[1] >= 0 && d[1] <= 12)
            month = d[1];
        if (d[2] >= 0 && d[2] <= 31)
            day = d[2];
    }
    nameAsTitle = readFlag(store, "NameAsTitle", nameAsTitle);
    nameTopAsDate = readFlag(store, "NameTopAsDate", nameTopAsDate);
    if (const auto v = readInt(store, "ParentNameAs"))
        parentNameAs = std::clamp(*v, 0, 3);
    const QString prefix = store.value(QStringLiteral("ExpPrefix")).toString();
    if (prefix.size() <= kMaxPrefixChars)
        expPrefix = prefix;
    if (const auto v = readInt(store, "ExpStartNum"))
        expStartNum = std::clamp(*v, 0, kMaxStartNum);
    kvbFolder = readFolder(store, "KVBFolder");
    asDocFolder = readFolder(store, "AsDocFolder");
    imageFolder = readFolder(store, "ImageFolder");
    imageFolder2 = readFolder(store, "ImageFolder2");
    expFolder = readFolder(store, "ExpFolder");
    if (const auto v = readInt(store, "AutoFileName"); v && *v >= 0 && *v <= 4)
        autoFileName = *v;
    if (const auto r = readNumbers(store, "WinPos", 4)) {
        const std::vector<int> &n = *r;
        winPos = QRect(n[0], n[1], n[2], n[3]);
    }
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
    store.setValue(QStringLiteral("KVBFolder"), kvbFolder);
    store.setValue(QStringLiteral("AsDocFolder"), asDocFolder);
    store.setValue(QStringLiteral("ImageFolder"), imageFolder);
    store.setValue(QStringLiteral("ImageFolder2"), imageFolder2);
    store.setValue(QStringLiteral("ExpFolder"), expFolder);
    store.setValue(QStringLiteral("AutoFileName"), std::clamp(autoFileName, 0, 4));
    if (winPos) {
        const QRect &r = *winPos;
        store.setValue(QStringLiteral("WinPos"),
                       QStringLiteral("%1;%2;%3;%4").arg(r.left()).arg(r.top()).arg(r.width()).arg(r.height()));
    }
    store.sync();
}

} // namespace bindery
