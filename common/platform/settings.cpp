#include "settings.h"

#include "prompt.h"
#include "safefile.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <optional>

namespace platform {

namespace {

// Every value, by its full key, as the text a settings file holds.
using StoredValues = QMap<QString, QString>;

StoredValues valuesOf(QSettings &store)
{
    const QString group = store.group();
    while (!store.group().isEmpty())
        store.endGroup();
    StoredValues values;
    for (const QString &key : store.allKeys()) {
        const QVariant value = store.value(key);
        values.insert(key, value.typeId() == QMetaType::QStringList ? value.toStringList().join(u',')
                                                                     : value.toString());
    }
    if (!group.isEmpty())
        store.beginGroup(group);
    return values;
}

// The values a settings file's bytes hold, read through a copy: Qt shares
// one cache per file name among its stores, so the file itself would be
// answered from memory.
std::optional<StoredValues> valuesIn(const QByteArray &bytes)
{
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("settings.ini"));
    QFile file(copy);
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        return std::nullopt;
    file.close();
    QSettings read(copy, QSettings::IniFormat);
    return valuesOf(read);
}

std::optional<QByteArray> bytesOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace

bool syncSettings(QSettings &store)
{
    // Qt's own write is not enough: a write that fails when Qt flushes its
    // temporary file goes unnoticed, and the settings file is replaced by an
    // empty one; a failed flush to disk is ignored. So the old bytes are kept
    // to be put back, and what Qt wrote is read back before it counts.
    const QString path = store.fileName();
    const std::optional<QByteArray> old = bytesOf(path);
    store.sync();
    const std::optional<QByteArray> now = bytesOf(path);
    if (now) {
        const std::optional<StoredValues> written = valuesIn(*now);
        if (written && *written == valuesOf(store))
            return now == old || flushToDisk(path);
    }
    if (now != old) {
        if (old) {
            AtomicFile file(path, FileRole::Document);
            (void)(file.open() && file.write(*old) && file.commit());
        } else {
            QFile::remove(path);
        }
    }
    return false;
}

std::unique_ptr<QSettings> openSettings(const QString &program)
{
    auto store = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("Velloran"), program);
    store->beginGroup(QStringLiteral("Settings"));
    return store;
}

bool syncSettings(QSettings &store, Prompt &prompt)
{
    if (syncSettings(store))
        return true;
    prompt.message(SettingsWriteFailed, PromptIcon::Stop);
    return false;
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
