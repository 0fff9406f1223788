#include "settings.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

std::unique_ptr<QSettings> openSettings(const QString &program)
{
    auto store = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("Velloran"), program);
    store->beginGroup(QStringLiteral("Settings"));
    return store;
}

QString localDataFolder(const QString &program)
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        return {};
    const QString folder = base + QStringLiteral("/Velloran/") + program;
    if (!QDir().mkpath(folder))
        return {};
    return folder;
}

} // namespace platform
