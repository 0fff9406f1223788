#include "folderlist.h"

#include "folderlisting.h"
#include "glancercommands.h"

#include "platform/filenames.h"
#include "platform/foldermove.h"

namespace glancer {

FolderList::FolderList(GlancerSettings &settings, platform::Prompt &prompt)
    : m_settings(settings), m_prompt(prompt), m_driveSource(platform::mountedDrives)
{
}

void FolderList::setDriveSource(std::function<std::vector<platform::Drive>()> source)
{
    m_driveSource = std::move(source);
}

std::vector<platform::Drive> FolderList::drives() const
{
    return m_driveSource ? m_driveSource() : std::vector<platform::Drive>();
}

QString FolderList::folderLine() const
{
    return inDriveList() ? QStringLiteral("<Drive Select>") : platform::shownName(currentFolder());
}

void FolderList::select(int row)
{
    m_selected = row >= 0 && row < int(m_rows.size()) ? row : -1;
}

const PreviewRow *FolderList::selectedRow() const
{
    return m_selected >= 0 ? &m_rows[size_t(m_selected)] : nullptr;
}

void FolderList::refresh(const QString &selectName)
{
    setCurrentFolder(platform::folderToShow(currentFolder(), m_prompt));
    m_rows = inDriveList() ? driveRows(drives()) : listFolder(currentFolder(), m_settings.picExt);
    m_selected = m_rows.empty() ? -1 : 0;
    if (selectName.isEmpty())
        return;
    const int found = findRow([&selectName](const PreviewRow &row, Qt::CaseSensitivity cs) {
        return rowName(row).compare(selectName, cs) == 0;
    });
    if (found >= 0)
        m_selected = found;
}

int FolderList::findPath(const QString &path) const
{
    return findRow([&path](const PreviewRow &row, Qt::CaseSensitivity cs) {
        return row.kind == PreviewRow::Image && row.path.compare(path, cs) == 0;
    });
}

int FolderList::findRow(const std::function<bool(const PreviewRow &, Qt::CaseSensitivity)> &matches) const
{
    // A name that differs only in case is another file: it is taken only
    // when the name itself is not there.
    for (const Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (size_t i = 0; i < m_rows.size(); ++i) {
            if (matches(m_rows[i], cs))
                return int(i);
        }
    }
    return -1;
}

FolderList::OpenRequest FolderList::openSelected()
{
    const PreviewRow *row = selectedRow();
    if (!row)
        return {OpenRequest::Beep, {}};
    const PreviewRow picked = *row;
    switch (picked.kind) {
    case PreviewRow::Drive:
        setCurrentFolder(platform::driveRootOf(picked.path));
        refresh();
        return {};
    case PreviewRow::Folder:
        setCurrentFolder(picked.path);
        refresh();
        return {};
    case PreviewRow::Image:
        if (platform::isFile(picked.path))
            return {OpenRequest::OpenImage, picked};
        // The file has gone since the folder was listed.
        refresh(rowName(picked));
        return {};
    default:
        return {OpenRequest::Beep, {}};
    }
}

bool FolderList::upOneFolder()
{
    if (inDriveList())
        return false;
    const platform::FolderMove to = platform::upOneFolder(currentFolder(), platform::driveRoots(drives()));
    setCurrentFolder(to.folder);
    refresh(to.selectName);
    return true;
}

bool FolderList::toDriveList()
{
    if (inDriveList())
        return false;
    const platform::FolderMove to = platform::toDriveList(currentFolder(), platform::driveRoots(drives()));
    setCurrentFolder(to.folder);
    refresh(to.selectName);
    return true;
}

bool FolderList::commandEnabled(int id) const
{
    const PreviewRow *row = selectedRow();
    switch (id) {
    case CmdOpenRow: return row && row->kind == PreviewRow::Image;
    case CmdExpandFolder: return row && (row->kind == PreviewRow::Drive || row->kind == PreviewRow::Folder);
    case CmdUpFolder:
    case CmdTopFolder: return !inDriveList();
    default: return true;
    }
}

} // namespace glancer
