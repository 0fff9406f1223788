#include "shelfsettings.h"

#include "platform/settings.h"
#include "platform/settingsreaders.h"

namespace leafreader {

namespace {

QString resumeName(int slot)
{
    return QStringLiteral("Resume%1").arg(slot);
}

} // namespace

void ShelfSettings::load(QSettings &store)
{
    currentFolder = platform::readNameText(store, "CurrentFolder", currentFolder);
    for (int i = 0; i < ResumeList::kMaxEntries; ++i)
        resume[size_t(i)] = platform::readNameText(store, resumeName(i));
    // Sort modes outside 0..2 are ignored: the value held stays.
    sortModeF = platform::readIntInRange(store, "SortModeF", 0, 2).value_or(sortModeF);
    sortModeR = platform::readIntInRange(store, "SortModeR", 0, 2).value_or(sortModeR);
}

void ShelfSettings::saveDialogValues(QSettings &store) const
{
    store.setValue(QStringLiteral("SortModeF"), sortModeF);
    store.setValue(QStringLiteral("SortModeR"), sortModeR);
}

void ShelfSettings::takeDialogValues(const ShelfSettings &from)
{
    sortModeF = from.sortModeF;
    sortModeR = from.sortModeR;
}

void ShelfSettings::saveResume(QSettings &store) const
{
    platform::writeNameText(store, "CurrentFolder", currentFolder);
    for (int i = 0; i < ResumeList::kMaxEntries; ++i)
        platform::writeNameText(store, resumeName(i), resume[size_t(i)]);
}

bool ShelfSettings::writeResume(QSettings &store, platform::Prompt &prompt) const
{
    saveResume(store);
    return platform::syncSettings(store, prompt);
}

void ShelfSettings::save(QSettings &store) const
{
    saveDialogValues(store);
    saveResume(store);
}

} // namespace leafreader
