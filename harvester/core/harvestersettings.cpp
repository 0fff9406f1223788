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
    process = readSelection(store, "Process", 5, process);
    subFolder = readFlag(store, "SubFolder").value_or(subFolder);
    pdfFolder = store.value(QStringLiteral("PdfFolder")).toString();
    wkFolder = store.value(QStringLiteral("WkFolder")).toString();
    book.cover = readFlag(store, "Cover").value_or(book.cover);
    book.bindR = readFlag(store, "BindR").value_or(book.bindR);
    book.spread = readFlag(store, "Spread").value_or(book.spread);
    book.thumb = readFlag(store, "Thumb").value_or(book.thumb);
    book.nameAsTitle = readFlag(store, "NameAsTitle").value_or(book.nameAsTitle);
    book.numberAsDate = readFlag(store, "NumberAsDate").value_or(book.numberAsDate);
    book.targetName = readSelection(store, "ParentFolder", 4, book.targetName);
    postProcess = readSelection(store, "PostProcess", 3, postProcess);
}

void HarvesterSettings::save(QSettings &store) const
{
    if (process >= 0)
        store.setValue(QStringLiteral("Process"), process);
    store.setValue(QStringLiteral("SubFolder"), subFolder ? 1 : 0);
    store.setValue(QStringLiteral("PdfFolder"), pdfFolder);
    store.setValue(QStringLiteral("WkFolder"), wkFolder);
    store.setValue(QStringLiteral("Cover"), book.cover ? 1 : 0);
    store.setValue(QStringLiteral("BindR"), book.bindR ? 1 : 0);
    store.setValue(QStringLiteral("Spread"), book.spread ? 1 : 0);
    store.setValue(QStringLiteral("Thumb"), book.thumb ? 1 : 0);
    store.setValue(QStringLiteral("NameAsTitle"), book.nameAsTitle ? 1 : 0);
    store.setValue(QStringLiteral("NumberAsDate"), book.numberAsDate ? 1 : 0);
    if (book.targetName >= 0)
        store.setValue(QStringLiteral("ParentFolder"), book.targetName);
    if (postProcess >= 0)
        store.setValue(QStringLiteral("PostProcess"), postProcess);
}

} // namespace harvester
