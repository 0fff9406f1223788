#include "harvestersettings.h"

#include <platform/settingsreaders.h>

namespace harvester {

namespace {

// A list selection: the stored index when it names an item, no selection
// (-1) for any other number, the default when nothing readable is stored.
int readSelection(const QSettings &store, const char *name, int items, int fallback)
{
    const std::optional<int> value = platform::readInt(store, name);
    if (!value)
        return fallback;
    return *value >= 0 && *value < items ? *value : -1;
}

} // namespace

void HarvesterSettings::load(const QSettings &store)
{
    using platform::readFlag;
    *this = HarvesterSettings();
    process = readSelection(store, "Process", 4, process);
    subFolder = readFlag(store, "SubFolder").value_or(subFolder);
    pdfFolder = store.value(QStringLiteral("PdfFolder")).toString();
    wkFolder = store.value(QStringLiteral("WkFolder")).toString();
    cover = readFlag(store, "Cover").value_or(cover);
    bindR = readFlag(store, "BindR").value_or(bindR);
    spread = readFlag(store, "Spread").value_or(spread);
    thumb = readFlag(store, "Thumb").value_or(thumb);
    nameAsTitle = readFlag(store, "NameAsTitle").value_or(nameAsTitle);
    numberAsDate = readFlag(store, "NumberAsDate").value_or(numberAsDate);
    parentFolder = readSelection(store, "ParentFolder", 4, parentFolder);
    postProcess = readSelection(store, "PostProcess", 3, postProcess);
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
