#include "foldermove.h"

#include "drives.h"
#include "filenames.h"
#include "paths.h"
#include "prompt.h"

#include <QCoreApplication>

namespace platform {

namespace {

bool isInside(const QString &folder, const QString &root)
{
    if (root == QStringLiteral("/"))
        return folder.startsWith(u'/');
    return folder == root || folder.startsWith(root + u'/');
}

} // namespace

FolderMove upOneFolder(const QString &folder, const QStringList &driveRoots)
{
    const QString f = withoutTrailingSlash(folder);
    const qsizetype slash = f.lastIndexOf(u'/');
    // A drive root, or nothing above: the drive list selects it.
    if (f.isEmpty() || f == QStringLiteral("/") || slash < 0
        || driveRoots.contains(f) || driveRoots.contains(folder))
        return FolderMove{QString(), f.isEmpty() ? folder : f};
    const QString name = f.mid(slash + 1);
    // A folder right below "/" goes to "/" itself.
    const QString parent = slash == 0 ? QStringLiteral("/") : f.left(slash);
    return FolderMove{parent, name};
}

FolderMove toDriveList(const QString &folder, const QStringList &driveRoots)
{
    const QString f = withoutTrailingSlash(folder);
    QString best;
    for (const QString &root : driveRoots) {
        const QString r = withoutTrailingSlash(root);
        if (isInside(f, r) && r.size() > best.size())
            best = r;
    }
    if (best.isEmpty() && f.startsWith(u'/'))
        best = QStringLiteral("/");
    return FolderMove{QString(), best};
}

QString folderToShow(const QString &folder, Prompt &prompt)
{
    while (!folder.isEmpty() && !isFolder(folder)) {
        if (prompt.message(QCoreApplication::translate("FolderMove", "フォルダーが見つかりません。"), PromptIcon::Stop, PromptButtons::RetryCancel)
            != PromptAnswer::Retry)
            return {};
    }
    return folder;
}

QString rowSelectName(QStringView rowPath, bool isDrive)
{
    if (isDrive)
        return driveRootOf(rowPath);
    return fileNameOf(withoutTrailingSlash(rowPath));
}

} // namespace platform
