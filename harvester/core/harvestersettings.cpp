#include "harvestersettings.h"

#include <optional>

namespace harvester {

namespace {

std::optional<int> readInt(const QSettings &store, const QString &name)
{
    bool ok = false;
    const int value = store.value(name).toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// A list selection: the stored index when it names an item, no selection
// for any other number, the default when nothing usable is stored.
int readSelection(const QSettings &store, const QString &name, int items, int fallback)
{
    const std::optional<int> value = readInt(store, name);
    if (!value)
        return fallback;
    return *value >= 0 && *value < items ? *value : -1;
}

bool readFlag(const QSettings &store, const QString &name, bool fallback)
{
    const std::optional<int> value = readInt(store, name);
    return value ? *value != 0 : fallback;
}

} // namespace

void HarvesterSettings::load(const QSettings &store)
{
    process = readSelection(store, QStringLiteral("Process"), 4, 0);
    subFolder = readFlag(store, QStringLiteral("SubFolder"), true);
    pdfFolder = store.value(QStringLiteral("PdfFolder")).toString();
    wkFolder = store.value(QStringLiteral("WkFolder")).toString();
    cover = readFlag(store, QStringLiteral("Cover"), true);
    bindR = readFlag(store, QStringLiteral("BindR"), true);
    spread = readFlag(store, QStringLiteral("Spread"), true);
    thumb = readFlag(store, QStringLiteral("Thumb"), true);
    nameAsTitle = readFlag(store, QStringLiteral("NameAsTitle"), false);
    numberAsDate = readFlag(store, QStringLiteral("NumberAsDate"), false);
    parentFolder = readSelection(store, QStringLiteral("ParentFolder"), 4, 0);
    postProcess = readSelection(store, QStringLiteral("PostProcess"), 3, 0);
}

void HarvesterSettings::save(QSettings &store) const
{
    if (process >= 0)
        store.setValue(QStringLiteral("Process"), process);
    store.setValue(QStringLiteral("SubFolder"), subFolder ? 1 : 0);
    store.setValue(QStringLiteral("PdfFolder"), pdfFolder);
    store.setValue(QStringLiteral("WkFolder"), wkFolder);
    store.setValue(QStringLiteral("Cover"), cover ? 1 : 0);
    store.setValue(QStringLiteral("BindR"), bindR ? 1 : 0);
    store.setValue(QStringLiteral("Spread"), spread ? 1 : 0);
    store.setValue(QStringLiteral("Thumb"), thumb ? 1 : 0);
    store.setValue(QStringLiteral("NameAsTitle"), nameAsTitle ? 1 : 0);
    store.setValue(QStringLiteral("NumberAsDate"), numberAsDate ? 1 : 0);
    if (parentFolder >= 0)
        store.setValue(QStringLiteral("ParentFolder"), parentFolder);
    if (postProcess >= 0)
        store.setValue(QStringLiteral("PostProcess"), postProcess);
}

} // namespace harvester
