#include "filewalker.h"

#include "foldertree.h"

#include <archive/archivereader.h>
#include <platform/filenames.h>
#include <platform/progress.h>

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

    // Names are taken by their bytes, so none is passed over for not being
    // UTF-8.
    QList<platform::FolderEntry> entries = platform::folderEntries(folder);
    std::sort(entries.begin(), entries.end(), [](const platform::FolderEntry &x, const platform::FolderEntry &y) {
        return compareEntryNames(x.name, y.name) < 0;
    });

    for (const platform::FolderEntry &entry : entries) {
        if (stopSeen())
            return false;
        const QString &name = entry.name;
        const QString fullPath = folder + name;
        if (!fitsPathLimit(fullPath))
            continue;
        if (entry.isLink && !entry.isFile)
            continue; // a link to a folder, or one that leads nowhere
        if (entry.isFolder) {
            if (OnFolder(fullPath, name) == 0)
                return false;
            if (recursive && !Walk(fullPath, true))
                return false;
        } else if (entry.isFile) {
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

int CArchiveWalker::OnFolder(const QString &, const QString &)
{
    return 1;
}

int CArchiveWalker::OnFile(const QString &fullPath, const QString &name)
{
    if (kvb::isArchivePath(name))
        result.append(fullPath);
    return 1;
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
