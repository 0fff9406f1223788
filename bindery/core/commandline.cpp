#include "commandline.h"

#include <platform/commandline.h>

namespace bindery {

CommandLine splitCommandLine(const QString &line, const std::function<bool(const QString &)> &pathExists)
{
    const platform::CommandWords words = platform::splitCommandLine(line, pathExists);
    CommandLine result;
    result.paths = words.paths;
    for (const QString &option : words.options)
        if (option.size() >= 2 && (option[1] == u'D' || option[1] == u'd'))
            result.openFolderAsDocument = true;
    return result;
}

} // namespace bindery
