#pragma once

#include <QSettings>
#include <QString>

#include "uitext.h"

#include <memory>

namespace platform {

class Prompt;

// The per-user settings store of one program: an INI file under the company
// "Velloran" ($XDG_CONFIG_HOME/Velloran/<program>.ini). The returned store is
// already inside the group "Settings", where every program keeps its values.
std::unique_ptr<QSettings> openSettings(const QString &program);

// What the window programs say when their settings could not be written.
inline constexpr UiText SettingsWriteFailed{"Settings", QT_TRANSLATE_NOOP("Settings", "設定の保存に失敗しました。")};

// Writes the store's values to its file now and checks that they arrived:
// the file is read back and must hold exactly the store's values, and is then
// flushed to disk. False when it does not (a failing or full disk, a folder
// that may not be written); the file then holds its old bytes again, or is
// absent as before.
bool syncSettings(QSettings &store);
// The same, showing SettingsWriteFailed when it fails.
bool syncSettings(QSettings &store, Prompt &prompt);

// The program's folder for local data ($XDG_DATA_HOME/Velloran/<program>/),
// created when missing. Empty when it cannot be created.
QString localDataFolder(const QString &program);

} // namespace platform
