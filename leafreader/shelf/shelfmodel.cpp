#include "shelfmodel.h"

#include "listcommands.h"
#include "rowsort.h"

#include "platform/filenames.h"
#include "platform/paths.h"
#include "ui/waitcursor.h"

#include <QCoreApplication>


#include <numeric>

namespace leafreader {

namespace {

bool isExistingFile(const QString &path)
{
    const platform::PathInfo info = platform::pathInfo(path);
    return info.exists && !info.isFolder;
}

} // namespace

ShelfModel::ShelfModel(ShelfSettings &settings, platform::Prompt &prompt)
    : m_settings(settings), m_prompt(prompt), m_driveSource(&platform::mountedDrives)
{
}

void ShelfModel::setDriveSource(std::function<std::vector<platform::Drive>()> source)
{
    m_driveSource = std::move(source);
}

std::vector<platform::Drive> ShelfModel::drives() const
{
    return m_driveSource ? m_driveSource() : std::vector<platform::Drive>();
}

void ShelfModel::changed()
{
    storeResume();
    if (m_persist)
        m_persist();
}

void ShelfModel::storeResume()
{
    m_resume.store(m_settings.resume);
}

void ShelfModel::setCurrentFolder(const QString &folder)
{
    if (m_settings.currentFolder == folder)
        return;
    m_settings.currentFolder = folder;
    changed();
}

ShelfModel::OpenRequest ShelfModel::start(const QString &bookPath)
{
    m_resume.load(m_settings.resume);
    if (!bookPath.isEmpty())
        return openPath(bookPath);
    if (!m_resume.isEmpty()) {
        m_screen = Screen::Resume;
        showResumeScreen(nullptr);
    } else {
        m_screen = Screen::Folder;
        showFolderScreen(QString());
    }
    return {};
}

ShelfModel::OpenRequest ShelfModel::openPath(const QString &bookPath)
{
    const QString path = platform::absolutePath(bookPath);
    if (platform::isFolder(path)) {
        // A folder is shown rather than opened.
        setCurrentFolder(path);
        m_screen = Screen::Folder;
        showFolderScreen(QString());
        return {};
    }
    const QString folder = platform::folderOf(path);
    setCurrentFolder(folder.isEmpty() ? QStringLiteral("/") : folder);
    m_screen = Screen::Folder;
    showFolderScreen(platform::fileNameOf(path));
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].kind == BookEntry::BookFile && samePath(m_rows[i].path, path)) {
            select(int(i));
            return openSelected();
        }
    }
    return {};
}

void ShelfModel::select(int row)
{
    m_selected = (row >= 0 && row < int(m_rows.size())) ? row : -1;
}

const BookEntry *ShelfModel::selectedRow() const
{
    return m_selected >= 0 && m_selected < int(m_rows.size()) ? &m_rows[size_t(m_selected)]
                                                              : nullptr;
}

QString ShelfModel::headerLine1() const
{
    if (onResumeScreen())
        return QString::asprintf("Resume (%d/100)", m_resume.size());
    return QString::asprintf("Folder (%d)", m_bookCount);
}

QString ShelfModel::headerLine2() const
{
    if (onResumeScreen()) {
        const BookEntry *row = selectedRow();
        return row ? platform::shownName(platform::folderOf(row->path)) : QString();
    }
    return currentFolder().isEmpty() ? QStringLiteral("<Drive Select>") : platform::shownName(currentFolder());
}

void ShelfModel::selectByName(const QString &name)
{
    int found = -1;
    for (size_t i = 0; i < m_rows.size() && found < 0; ++i) {
        if (rowName(m_rows[i]) == name)
            found = int(i);
    }
    for (size_t i = 0; i < m_rows.size() && found < 0; ++i) {
        if (rowName(m_rows[i]).compare(name, Qt::CaseInsensitive) == 0)
            found = int(i);
    }
    select(found >= 0 ? found : 0);
}

QString ShelfModel::infoFailedMessage(const QString &path)
{
    return QCoreApplication::translate("ShelfModel", "ファイル情報の取得に失敗しました。\n%1").arg(path);
}

void ShelfModel::showFolderScreen(const QString &selectName)
{
    platform::WaitCursor wait;
    m_screen = Screen::Folder;
    m_resumeIndex.clear();
    m_bookCount = 0;
    const QString folder = platform::folderToShow(currentFolder(), m_prompt);
    if (folder != currentFolder())
        setCurrentFolder(folder);
    if (folder.isEmpty()) {
        m_rows = driveRows(drives());
    } else {
        FolderListing listing = listFolder(folder, m_resume, m_settings.sortModeF);
        for (const QString &failed : listing.failedBooks)
            m_prompt.message(infoFailedMessage(failed));
        m_rows = std::move(listing.rows);
        m_bookCount = listing.bookCount;
    }
    selectByName(selectName);
}

void ShelfModel::showResumeScreen(const BookEntry *selectEntry)
{
    platform::WaitCursor wait;
    const BookEntry wanted = selectEntry ? *selectEntry : BookEntry();
    m_screen = Screen::Resume;
    m_resume.refresh();
    m_resumeIndex.resize(size_t(m_resume.size()));
    std::iota(m_resumeIndex.begin(), m_resumeIndex.end(), 0);
    sortRowIndices(m_resume.entries(), m_resumeIndex, m_settings.sortModeR);
    m_rows.clear();
    m_rows.reserve(m_resumeIndex.size());
    int found = -1;
    for (int index : m_resumeIndex) {
        const BookEntry &entry = m_resume.entries()[size_t(index)];
        if (found < 0 && selectEntry && entry.page == wanted.page && samePath(entry.path, wanted.path))
            found = int(m_rows.size());
        m_rows.push_back(entry);
    }
    select(found >= 0 ? found : 0);
}

void ShelfModel::showList()
{
    if (onResumeScreen())
        showResumeScreen(&m_remembered);
    else
        showFolderScreen(platform::fileNameOf(m_remembered.path));
}

void ShelfModel::relist()
{
    const BookEntry *row = selectedRow();
    const BookEntry keep = row ? *row : BookEntry();
    if (onResumeScreen())
        showResumeScreen(row ? &keep : nullptr);
    else
        showFolderScreen(row ? rowName(keep) : QString());
}

ShelfModel::OpenRequest ShelfModel::openSelected()
{
    const BookEntry *row = selectedRow();
    if (!row)
        return {OpenRequest::Beep, {}};
    const BookEntry picked = *row;
    if (onResumeScreen()) {
        if (picked.kind != BookEntry::BookFile)
            return {OpenRequest::Beep, {}};
        if (!isExistingFile(picked.path)) {
            showResumeScreen(&picked);
            return {OpenRequest::Beep, {}};
        }
        setCurrentFolder(platform::folderOf(picked.path));
        return {OpenRequest::OpenBook, picked};
    }
    switch (picked.kind) {
    case BookEntry::Drive:
        setCurrentFolder(platform::driveRootOf(picked.path));
        showFolderScreen(QString());
        return {};
    case BookEntry::Folder:
        setCurrentFolder(picked.path);
        showFolderScreen(QString());
        return {};
    case BookEntry::BookFile:
        if (isExistingFile(picked.path))
            return {OpenRequest::OpenBook, picked};
        showFolderScreen(rowName(picked));
        return {};
    default:
        return {OpenRequest::Beep, {}};
    }
}

void ShelfModel::bookOpened(const BookEntry &row)
{
    m_remembered = row;
}

bool ShelfModel::moveFolder(platform::FolderMove (*move)(const QString &, const QStringList &))
{
    if (onResumeScreen() || currentFolder().isEmpty())
        return false;
    const platform::FolderMove to = move(currentFolder(), platform::driveRoots(drives()));
    setCurrentFolder(to.folder);
    showFolderScreen(to.selectName);
    return true;
}

bool ShelfModel::upOneFolder()
{
    return moveFolder(&platform::upOneFolder);
}

bool ShelfModel::toDriveList()
{
    return moveFolder(&platform::toDriveList);
}

void ShelfModel::switchScreen(bool keepSelection)
{
    if (keepSelection) {
        if (const BookEntry *row = selectedRow(); row && row->kind == BookEntry::BookFile) {
            const QString folder = platform::folderOf(row->path);
            const bool folderExists = !folder.isEmpty() && platform::isFolder(folder);
            if (onResumeScreen() && folderExists) {
                m_remembered = *row;
                setCurrentFolder(folder);
            } else if (!onResumeScreen() && row->page >= 0 && folderExists) {
                m_remembered = *row;
            }
        }
    }
    m_screen = onResumeScreen() ? Screen::Folder : Screen::Resume;
    showList();
}

bool ShelfModel::deleteResume(const std::function<bool()> &confirm)
{
    const BookEntry *row = selectedRow();
    if (!row)
        return false;
    if (!onResumeScreen() && (row->kind != BookEntry::BookFile || row->page < 0))
        return false;
    if (confirm && !confirm())
        return true;
    const BookEntry keep = *row;
    if (onResumeScreen())
        m_resume.removeAt(m_resumeIndex[size_t(m_selected)]);
    else
        m_resume.removePath(keep.path);
    m_remembered.reset();
    changed();
    // The resume screen is listed as after any change (the remembered book,
    // now none, else row 0); the folder screen keeps the row.
    if (onResumeScreen())
        showList();
    else
        showFolderScreen(rowName(keep));
    return true;
}

ResumeList::CloseResult ShelfModel::bookClosed(int mode, BookEntry &book, int pageAtOpening)
{
    const ResumeList::CloseResult result = m_resume.closeBook(mode, book, pageAtOpening);
    if (result == ResumeList::CloseResult::Full)
        reportListFull();
    if (result == ResumeList::CloseResult::Registered)
        changed();
    m_remembered = book;
    showList();
    return result;
}

std::optional<int> ShelfModel::handOverCloseMode(const BookEntry &shown, int pageAtOpening)
{
    const int mode = m_resume.keepingMode(shown, pageAtOpening);
    if (!m_resume.canRegister(mode, shown, pageAtOpening)) {
        reportListFull();
        return std::nullopt;
    }
    return mode;
}

void ShelfModel::reportListFull()
{
    m_prompt.message(QCoreApplication::translate("ShelfModel", "登録最大数を超えるため、登録できません。"),
                     platform::PromptIcon::Stop);
}

bool ShelfModel::commandEnabled(int id) const
{
    const BookEntry *row = selectedRow();
    switch (id) {
    case CmdOpenRow:
    case CmdFileInfo:
        return row && row->kind == BookEntry::BookFile;
    case CmdExpandFolder:
        return row && !onResumeScreen() && (row->kind == BookEntry::Drive || row->kind == BookEntry::Folder);
    case CmdUpFolder:
    case CmdTopFolder:
        return !onResumeScreen() && !currentFolder().isEmpty();
    case CmdDeleteResume:
        if (onResumeScreen())
            return row != nullptr;
        return row && row->kind == BookEntry::BookFile && row->page >= 0;
    default:
        return true;
    }
}

} // namespace leafreader
