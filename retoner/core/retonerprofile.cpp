#include "retonerprofile.h"

#include "settingsfile.h"

#include <platform/paths.h>
#include <platform/prompt.h>
#include <platform/settings.h>
#include <platform/settingsreaders.h>

#include <QFileInfo>
#include <QSettings>

namespace retoner {

QString lastSettingPath()
{
    const QString folder = platform::localDataFolder(QStringLiteral("Retoner"));
    return folder.isEmpty() ? QString() : platform::joinPath(folder, u"$LastSetting.tnp");
}

bool readLastSettings(ToneSettings &settings, platform::Prompt &prompt)
{
    const QString path = lastSettingPath();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    return readSettings(settings, path, prompt);
}

bool writeLastSettings(const ToneSettings &settings, platform::Prompt &prompt)
{
    const QString path = lastSettingPath();
    if (path.isEmpty()) {
        // No folder for local data could be made: as a file that cannot be opened.
        prompt.message(writeMessage(SettingsWriteResult::OpenFailed), platform::PromptIcon::Stop);
        return false;
    }
    return writeSettings(settings, path, prompt);
}

void RecentSettings::add(const QString &path)
{
    for (qsizetype i = 0; i < m_paths.size(); ++i) {
        if (m_paths[i].compare(path, Qt::CaseInsensitive) == 0) {
            m_paths.removeAt(i);
            break;
        }
    }
    m_paths.prepend(path);
    while (m_paths.size() > MaxEntries)
        m_paths.removeLast();
}

QString RecentSettings::shortName(const QString &path)
{
    const QString name = platform::fileNameOf(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

QStringList RecentSettings::shortNames() const
{
    QStringList names;
    for (const QString &path : m_paths)
        names.append(shortName(path));
    return names;
}

int RecentSettings::indexOfShortName(const QString &text) const
{
    for (qsizetype i = 0; i < m_paths.size(); ++i)
        if (shortName(m_paths[i]) == text)
            return static_cast<int>(i);
    return -1;
}

void RecentSettings::load(QSettings &store)
{
    m_paths.clear();
    for (int i = 0; i < MaxEntries; ++i) {
        const QString path = store.value(QStringLiteral("Setting%1").arg(i)).toString();
        if (path.isEmpty() || !QFileInfo(path).isFile())
            continue;
        if (m_paths.contains(path, Qt::CaseInsensitive))
            continue;
        m_paths.append(path);
    }
}

void RecentSettings::save(QSettings &store) const
{
    for (int i = 0; i < MaxEntries; ++i) {
        const QString key = QStringLiteral("Setting%1").arg(i);
        if (i < m_paths.size())
            store.setValue(key, m_paths[i]);
        else
            store.remove(key);
    }
}

void RetonerProfile::load(QSettings &store)
{
    windowRect = platform::readWindowRect(store, "WinPos");
    imageFolder = platform::readExistingFolder(store, "ImageFolder");
    tnpFolder = platform::readExistingFolder(store, "TNPFolder");
    recent.load(store);
    lastSetting = store.value(QStringLiteral("LastSetting")).toString();
}

void RetonerProfile::save(QSettings &store) const
{
    if (windowRect)
        store.setValue(QStringLiteral("WinPos"), platform::windowRectText(*windowRect));
    platform::writeNameText(store, "ImageFolder", imageFolder);
    platform::writeNameText(store, "TNPFolder", tnpFolder);
    recent.save(store);
    store.setValue(QStringLiteral("LastSetting"), lastSetting);
}

} // namespace retoner
