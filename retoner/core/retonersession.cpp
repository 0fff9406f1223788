#include "retonersession.h"

#include "settingsfile.h"

#include <platform/paths.h>
#include <platform/prompt.h>
#include <platform/settings.h>

#include <QCoreApplication>

namespace retoner {

MainControlStates mainControlStates(int count, int selectedCount, bool busy)
{
    MainControlStates states;
    if (busy) {
        states.registerFiles = states.settings = states.close = states.list = states.view = false;
        return states;
    }
    states.colorMono = states.remove = selectedCount > 0;
    states.selectAll = states.convert = count > 0;
    states.show = selectedCount == 1;
    return states;
}

RetonerSession::RetonerSession(platform::Prompt &prompt) : m_prompt(prompt), m_batch(prompt) {}

void RetonerSession::start(QSettings &store)
{
    m_profile.load(store);
    readLastSettings(m_settings, m_prompt);
    m_recentSelection = m_profile.recent.indexOfShortName(m_profile.lastSetting);
}

bool RetonerSession::finish(QSettings &store, const std::optional<QRect> &windowRect)
{
    const bool lastWritten = writeLastSettings(m_settings, m_prompt);
    if (windowRect)
        m_profile.windowRect = windowRect;
    m_profile.lastSetting = comboText();
    m_profile.save(store);
    return platform::syncSettings(store, m_prompt) && lastWritten;
}

QString RetonerSession::comboText() const
{
    const QStringList names = recentNames();
    return m_recentSelection >= 0 && m_recentSelection < names.size() ? names[m_recentSelection] : QString();
}

void RetonerSession::selectHead()
{
    m_recentSelection = 0;
}

bool RetonerSession::openSettings(const QString &path)
{
    m_profile.tnpFolder = platform::folderOf(path);
    if (!readSettings(m_settings, path, m_prompt))
        return false;
    m_profile.recent.add(path);
    selectHead();
    return true;
}

bool RetonerSession::saveSettings(const QString &path)
{
    m_profile.tnpFolder = platform::folderOf(path);
    if (!writeSettings(m_settings, path, m_prompt))
        return false;
    m_prompt.message(QCoreApplication::translate("RetonerSession", "保存しました。"), platform::PromptIcon::Information);
    m_profile.recent.add(path);
    selectHead();
    return true;
}

bool RetonerSession::selectRecent(int index)
{
    const QStringList &paths = m_profile.recent.paths();
    if (index < 0 || index >= paths.size())
        return false;
    m_recentSelection = index;
    const QString path = paths[index];
    if (!readSettings(m_settings, path, m_prompt))
        return false;
    m_profile.recent.add(path);
    selectHead();
    return true;
}

void RetonerSession::applySettings(const ToneSettings &settings)
{
    m_settings = settings;
    m_recentSelection = -1;
}

void RetonerSession::rememberImageFolder(const QStringList &paths)
{
    if (!paths.isEmpty())
        m_profile.imageFolder = platform::folderOf(paths.first());
}

} // namespace retoner
