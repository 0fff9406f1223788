#include "paths.h"

namespace platform {

QString folderOf(QStringView path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QString() : path.left(slash).toString();
}

QString fileNameOf(QStringView path)
{
    return path.mid(path.lastIndexOf(u'/') + 1).toString();
}

QString extensionOf(QStringView path)
{
    const QStringView name = path.mid(path.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1).toString();
}

QString baseNameOf(QStringView path)
{
    const QStringView name = path.mid(path.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return (dot < 0 ? name : name.left(dot)).toString();
}

QString joinPath(QStringView folder, QStringView name)
{
    if (folder.isEmpty())
        return name.toString();
    if (folder.endsWith(u'/'))
        return folder.toString() + name.toString();
    return folder.toString() + u'/' + name.toString();
}

QString withoutTrailingSlash(QStringView path)
{
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path.toString();
}

} // namespace platform
