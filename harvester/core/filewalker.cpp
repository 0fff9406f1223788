#include "filewalker.h"

#include "foldertree.h"

#include <platform/filenames.h>
#include <platform/paths.h>
#include <platform/progress.h>

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace harvester {

int compareEntryNames(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ca = a[i].toUpper().unicode();
        const char16_t cb = b[i].toUpper().unicode();
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return QString::compare(a, b, Qt::CaseSensitive);
}

bool CFileWalker::stopSeen()
{
    if (m_progress)
        m_progress->processEvents();
    if (m_stopFlag && *m_stopFlag)
        return true;
    if (m_progress && m_progress->cancelRequested()) {
        if (m_stopFlag)
            *m_stopFlag = true;
        return true;
    }
    return false;
}

bool CFileWalker::Walk(const QString &folderPath, bool recursive)
{
    if (m_stopFlag)
        *m_stopFlag = false;
    const QString folder = folderPath.endsWith(u'/') ? folderPath : folderPath + u'/';

    QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    std::sort(entries.begin(), entries.end(), [](const QFileInfo &x, const QFileInfo &y) {
        return compareEntryNames(x.fileName(), y.fileName()) < 0;
    });
    for (const platform::UnrepresentableEntry &entry : platform::unrepresentableEntries(folder)) {
        if (wouldTake(entry, recursive))
            unusable.append(entry.shownPath(platform::withoutTrailingSlash(folder)));
    }

    for (const QFileInfo &entry : entries) {
        if (stopSeen())
            return false;
        const QString name = entry.fileName();
        const QString fullPath = folder + name;
        if (!fitsPathLimit(fullPath))
            continue;
        if (entry.isSymLink() && !entry.isFile())
            continue; // a link to a folder, or one that leads nowhere
        if (entry.isDir()) {
            if (OnFolder(fullPath, name) == 0)
                return false;
            if (recursive && !Walk(fullPath, true))
                return false;
        } else if (entry.isFile()) {
            if (OnFile(fullPath, name) == 0)
                return false;
        }
    }
    return true;
}

int CTypedFileWalker::OnFolder(const QString &, const QString &)
{
    return 1;
}

int CTypedFileWalker::OnFile(const QString &fullPath, const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    const QStringView found = dot < 0 ? QStringView() : QStringView(name).mid(dot + 1);
    if (found.compare(extension, Qt::CaseInsensitive) == 0)
        result.append(fullPath);
    return 1;
}

bool CTypedFileWalker::wouldTake(const platform::UnrepresentableEntry &entry, bool recursive) const
{
    if (entry.isFolder)
        return recursive;
    const QByteArray tail = '.' + extension.toLatin1().toLower();
    return entry.name.toLower().endsWith(tail);
}

bool CFolderWalker::wouldTake(const platform::UnrepresentableEntry &entry, bool) const
{
    return entry.isFolder;
}

int CFolderWalker::OnFolder(const QString &fullPath, const QString &)
{
    result.append(fullPath);
    return 1;
}

int CFolderWalker::OnFile(const QString &, const QString &)
{
    return 1;
}

} // namespace harvester
