#include "commandlinepictures.h"

#include "imageentry.h"

#include <platform/commandwords.h>

#include <QFileInfo>

namespace retoner {

QStringList commandLinePictures(const QStringList &arguments)
{
    const platform::CommandWords words = platform::splitCommandLine(
        platform::joinArguments(arguments), [](const QString &path) { return QFileInfo::exists(path); });
    QStringList pictures;
    for (const QString &path : words.paths) {
        const QFileInfo info(path);
        if (info.isFile() && imageKindForPath(path) != 0)
            pictures << info.absoluteFilePath();
    }
    return pictures;
}

} // namespace retoner
