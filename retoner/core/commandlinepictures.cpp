#include "commandlinepictures.h"

#include "imageentry.h"

#include <platform/commandwords.h>
#include <platform/filenames.h>


namespace retoner {

QStringList commandLinePictures(const QStringList &arguments)
{
    const platform::CommandWords words = platform::splitCommandLine(
        platform::joinArguments(arguments), [](const QString &path) { return platform::pathExists(path); });
    QStringList pictures;
    for (const QString &path : words.paths) {
        if (platform::isFile(path) && imageKindForPath(path) != 0)
            pictures << platform::absolutePath(path);
    }
    return pictures;
}

} // namespace retoner
