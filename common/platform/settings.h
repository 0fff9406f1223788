#pragma once

#include <QSettings>
#include <QString>

#include <memory>

namespace platform {

// The per-user settings store of one program: an INI file under the company
// "Velloran" ($XDG_CONFIG_HOME/Velloran/<program>.ini). The returned store is
// already inside the group "Settings", where every program keeps its values.
std::unique_ptr<QSettings> openSettings(const QString &program);

// The program's folder for local data ($XDG_DATA_HOME/Velloran/<program>/),
// created when missing. Empty when it cannot be created.
QString localDataFolder(const QString &program);

} // namespace platform
