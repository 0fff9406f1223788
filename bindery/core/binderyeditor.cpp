#include "binderyeditor.h"

#include "commandline.h"
#include "folderdate.h"
#include "messages.h"
#include "savenames.h"
#include "thumbnailloader.h"

#include <archive/archivepages.h>
#include <archive/archiveimport.h>
#include <archive/zipexport.h>
#include <book/kvbfile.h>
#include <book/pagecollect.h>
#include <platform/commandline.h>
#include <picture/picture.h>
#include <platform/commandwords.h>
#include <platform/filenames.h>
#include <platform/paths.h>
#include <platform/safefile.h>
#include <platform/settings.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <numeric>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bindery {

using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;

namespace {

// The folder above a chosen folder.
QString parentFolder(const QString &folder)
{
    return platform::folderOf(platform::withoutTrailingSlash(folder));
}

} // namespace

BinderyEditor::BinderyEditor(platform::Prompt &prompt) : m_prompt(prompt), m_scratchFolder(QDir::tempPath()) {}

BinderyEditor::~BinderyEditor() = default;

void BinderyEditor::loadSettings(QSettings &store)
{
    m_settings.load(store);
    m_histories.load(store);
    m_doc.cover = m_settings.cover;
    m_doc.bindRight = m_settings.bindR;
    m_doc.pageSpread = m_settings.pageSpread;
    m_doc.withThumbnail = m_settings.thumbnail;
    m_doc.year = m_settings.year;
    m_doc.month = m_settings.month;
    m_doc.day = m_settings.day;
    changed(ChangeFields | ChangeHistories);
}

bool BinderyEditor::saveSettings(QSettings &store)
{
    m_settings.cover = m_doc.cover;
    m_settings.bindR = m_doc.bindRight;
    m_settings.pageSpread = m_doc.pageSpread;
    m_settings.thumbnail = m_doc.withThumbnail;
    m_settings.year = m_doc.year;
    m_settings.month = m_doc.month;
    m_settings.day = m_doc.day;
    m_settings.save(store);
    m_histories.save(store);
    return platform::syncSettings(store, m_prompt);
}

bool BinderyEditor::runCommand(int id)
{
    switch (id) {
    case CmdNew: return newDocument();
    case CmdOpenBook: return openBook();
    case CmdAddImages: return addImages();
    case CmdAddFolderImages: return addFolderImages();
    case CmdOpenFolderAsDocument: return openFolderAsDocumentCommand();
    case CmdSave:
    case CmdSaveButton: return save();
    case CmdSaveAs:
    case CmdSaveAsButton: return saveAs();
    case CmdExportAll: return exportPages(false);
    case CmdExportSelected: return exportPages(true);
    case CmdExportArchive: return exportArchive();
    case CmdMoveTop: return moveToTop();
    case CmdMoveUp: return moveUp();
    case CmdMoveDown: return moveDown();
    case CmdMoveBottom: return moveToBottom();
    case CmdDelete: return deleteSelected();
    case CmdDuplicate: return duplicate();
    case CmdSelectAll: selectAll(); return true;
    default: return false;
    }
}

unsigned BinderyEditor::takeChanges()
{
    return std::exchange(m_changes, 0u);
}

Field BinderyEditor::takeFocusRequest()
{
    return std::exchange(m_focus, Field::None);
}

void BinderyEditor::refreshNow()
{
    normalizePosition();
    if (m_refreshHook)
        m_refreshHook();
}

bool BinderyEditor::askClear()
{
    if (m_doc.pages.empty())
        return true;
    return m_prompt.message(text::ClearQuestion, PromptIcon::Question, PromptButtons::OkCancel)
           == PromptAnswer::Ok;
}

// ---- Document ----

bool BinderyEditor::newDocument()
{
    if (!askClear())
        return false;
    clear();
    return true;
}

void BinderyEditor::clear()
{
    m_doc.documentPath.clear();
    m_doc.pages.clear();
    m_doc.thumbnailPending.clear();
    m_doc.selection.clear();
    m_doc.otherAttributes.clear();
    m_doc.title.clear();
    m_doc.subtitle.clear();
    m_doc.author.clear();
    m_doc.publisher.clear();
    m_doc.circle.clear();
    m_doc.datePresent = false;
    m_doc.modified = false;
    m_doc.currentPosition = 0;
    releaseScratch();
    changed(ChangePages | ChangeSelection | ChangeFields);
}

bool BinderyEditor::loadFromBook(const QString &path)
{
    kvb::BookHeader header;
    kvb::AttributeList attributes;
    kvb::PageList pages;
    if (!kvb::KVBFile::readBook(path, &header, &attributes, &pages)) {
        m_prompt.message(text::BookUnreadable);
        return false;
    }
    m_doc.cover = header.layoutFlags & kvb::Cover;
    m_doc.bindRight = header.layoutFlags & kvb::BindR;
    m_doc.pageSpread = header.layoutFlags & kvb::PageSpread;
    m_doc.withThumbnail = header.thumbnailFlag & 1;

    for (kvb::AttributeEntry &entry : attributes) {
        switch (entry.type) {
        case kvb::Title:
        case kvb::Subtitle:
        case kvb::Author:
        case kvb::Publisher:
        case kvb::Circle: {
            // The first of each type fills its field; further authors,
            // publishers and circles stay as further attributes, while a
            // second title or subtitle has no place to go.
            QString &text = m_doc.principalText(entry.type);
            if (text.isEmpty())
                text = entry.text;
            else if (entry.type >= kvb::Author)
                m_doc.otherAttributes.push_back(std::move(entry));
            break;
        }
        case kvb::PublicationDate:
            if (!m_doc.datePresent) {
                m_doc.year = entry.year;
                m_doc.month = entry.month;
                m_doc.day = entry.day;
                m_doc.datePresent = true;
            }
            break;
        default:
            m_doc.otherAttributes.push_back(std::move(entry));
            break;
        }
    }
    appendWithThumbnails(pages);
    m_doc.documentPath = path;
    changed(ChangePages | ChangeFields | ChangeHistories);
    return true;
}

bool BinderyEditor::openBookFile(const QString &path)
{
    platform::ProgressScope busy(*m_progress);
    clear();
    m_settings.kvbFolder = platform::folderOf(path);
    const bool ok = loadFromBook(path);
    m_doc.modified = false;
    m_doc.currentPosition = 0;
    return ok;
}

void BinderyEditor::appendWithThumbnails(kvb::PageList &newPages)
{
    const int base = m_doc.pageCount();
    const int eager = std::clamp(m_eager, 0, int(newPages.size()));
    for (kvb::PageEntry &page : newPages)
        page.thumbnail = QImage();
    std::move(newPages.begin(), newPages.end(), std::back_inserter(m_doc.pages));
    m_doc.thumbnailPending.resize(m_doc.pages.size(), 1);
    // Imports run under the progress, which keeps the window painted while
    // the first rows' thumbnails are made.
    if (eager > 0)
        makeThumbnails(base, base + eager - 1, m_progress);
    changed(ChangePages);
}

std::vector<int> BinderyEditor::makeThumbnails(int first, int last)
{
    return makeThumbnails(first, last, nullptr);
}

std::vector<int> BinderyEditor::makeThumbnails(int first, int last, platform::Progress *progress)
{
    std::vector<int> made;
    // A message box below runs the event loop, where the window may ask for
    // thumbnails again.
    if (m_makingThumbnails)
        return made;
    first = std::max(first, 0);
    last = std::min(last, m_doc.pageCount() - 1);
    kvb::PageList batch;
    for (int i = first; i <= last; ++i) {
        if (m_doc.thumbnailPending[size_t(i)]) {
            made.push_back(i);
            batch.push_back(m_doc.pages[size_t(i)]);
        }
    }
    if (made.empty())
        return made;
    m_makingThumbnails = true;
    QStringList messages;
    {
        ThumbnailLoader loader(batch, m_box, m_threads);
        for (size_t k = 0; k < made.size(); ++k) {
            ThumbnailResult result = loader.takeNext(progress);
            if (!result.loaded)
                messages << text::PictureUnreadable;
            else if (result.thumbnail.isNull())
                messages << text::ThumbnailFailed;
            const auto index = size_t(made[k]);
            m_doc.pages[index].thumbnail = std::move(result.thumbnail);
            m_doc.thumbnailPending[index] = 0;
        }
    }
    // The pages keep their thumbnails (or none) before any message is shown.
    for (const QString &message : messages)
        m_prompt.message(message);
    m_makingThumbnails = false;
    return made;
}

int BinderyEditor::nextPendingThumbnail(int from) const
{
    const auto &pending = m_doc.thumbnailPending;
    const auto it = std::find(pending.begin() + std::clamp(from, 0, int(pending.size())), pending.end(), 1);
    return it == pending.end() ? -1 : int(it - pending.begin());
}

// ---- Page edits ----

void BinderyEditor::setSelection(std::vector<int> selection)
{
    std::sort(selection.begin(), selection.end());
    selection.erase(std::unique(selection.begin(), selection.end()), selection.end());
    selection.erase(std::remove_if(selection.begin(), selection.end(),
                                   [&](int i) { return i < 0 || i >= m_doc.pageCount(); }),
                    selection.end());
    m_doc.selection = std::move(selection);
}

bool BinderyEditor::moveSelected(int target)
{
    const int from = m_doc.selection.front();
    kvb::PageEntry page = std::move(m_doc.pages[size_t(from)]);
    m_doc.pages.erase(m_doc.pages.begin() + from);
    m_doc.pages.insert(m_doc.pages.begin() + target, std::move(page));
    const char pending = m_doc.thumbnailPending[size_t(from)];
    m_doc.thumbnailPending.erase(m_doc.thumbnailPending.begin() + from);
    m_doc.thumbnailPending.insert(m_doc.thumbnailPending.begin() + target, pending);
    m_doc.selection = {target};
    m_doc.modified = true;
    changed(ChangePages | ChangeSelection);
    return true;
}

bool BinderyEditor::moveUp()
{
    if (m_doc.selection.size() != 1 || m_doc.selection.front() == 0)
        return false;
    return moveSelected(m_doc.selection.front() - 1);
}

bool BinderyEditor::moveDown()
{
    if (m_doc.selection.size() != 1 || m_doc.selection.front() >= m_doc.pageCount() - 1)
        return false;
    return moveSelected(m_doc.selection.front() + 1);
}

bool BinderyEditor::moveToTop()
{
    if (m_doc.selection.size() != 1 || m_doc.selection.front() == 0)
        return false;
    return moveSelected(0);
}

bool BinderyEditor::moveToBottom()
{
    if (m_doc.selection.size() != 1 || m_doc.selection.front() >= m_doc.pageCount() - 1)
        return false;
    return moveSelected(m_doc.pageCount() - 1);
}

bool BinderyEditor::deleteSelected()
{
    if (m_doc.selection.empty())
        return false;
    for (auto it = m_doc.selection.rbegin(); it != m_doc.selection.rend(); ++it) {
        m_doc.pages.erase(m_doc.pages.begin() + *it);
        m_doc.thumbnailPending.erase(m_doc.thumbnailPending.begin() + *it);
    }
    m_doc.selection.clear();
    m_doc.modified = true;
    releaseScratch();
    // The shown page stays within the book at once.
    m_doc.currentPosition = std::min(m_doc.currentPosition, m_doc.pageCount());
    changed(ChangePages | ChangeSelection);
    return true;
}

bool BinderyEditor::duplicate()
{
    if (m_doc.selection.size() != 1)
        return false;
    const int index = m_doc.selection.front();
    const kvb::PageEntry &source = m_doc.pages[size_t(index)];
    kvb::PageEntry copy = source;
    // A page without a thumbnail (it could not be decoded) gives a copy
    // without one; only a thumbnail that exists and cannot be copied fails.
    if (!source.thumbnail.isNull()) {
        copy.thumbnail = kvb::copyThumbnail(source.thumbnail);
        if (copy.thumbnail.isNull()) {
            m_prompt.message(text::ThumbnailCopyFailed);
            return false;
        }
    }
    m_doc.pages.insert(m_doc.pages.begin() + index, std::move(copy));
    // A copy of a page whose thumbnail is still to be made waits as well.
    const char pending = m_doc.thumbnailPending[size_t(index)];
    m_doc.thumbnailPending.insert(m_doc.thumbnailPending.begin() + index, pending);
    m_doc.selection = {index + 1};
    m_doc.modified = true;
    changed(ChangePages | ChangeSelection);
    return true;
}

void BinderyEditor::selectAll()
{
    m_doc.selection.resize(m_doc.pages.size());
    std::iota(m_doc.selection.begin(), m_doc.selection.end(), 0);
    changed(ChangeSelection);
}

void BinderyEditor::setCurrentPosition(int position)
{
    m_doc.currentPosition = m_doc.pages.empty() ? 0 : std::clamp(position, 1, m_doc.pageCount());
}

void BinderyEditor::normalizePosition()
{
    if (m_doc.pages.empty())
        m_doc.currentPosition = 0;
    else
        m_doc.currentPosition = std::clamp(m_doc.currentPosition, 1, m_doc.pageCount());
}

void BinderyEditor::mergeOtherAttributes(kvb::AttributeList edited)
{
    kvb::AttributeList kept;
    for (kvb::AttributeEntry &entry : edited) {
        if (entry.type >= kvb::Author && entry.type <= kvb::Circle) {
            QString &text = m_doc.principalText(entry.type);
            if (text.isEmpty()) {
                text = entry.text;
                continue;
            }
        }
        kept.push_back(std::move(entry));
    }
    m_doc.otherAttributes = std::move(kept);
    m_doc.modified = true;
    changed(ChangeFields | ChangeHistories);
}

bool BinderyEditor::validate(bool rangesOnly)
{
    const Validation v = validateDocument(m_doc, rangesOnly);
    if (v.ok)
        return true;
    m_focus = v.focus;
    m_prompt.message(v.message, PromptIcon::Stop);
    return false;
}

// ---- Import ----

bool BinderyEditor::addPages(const QStringList &paths)
{
    const auto report = [this](kvb::CollectProblem problem, const QString &) {
        m_prompt.message(problem == kvb::CollectProblem::BookUnreadable ? text::BookUnreadable : text::BadSize);
    };
    const auto expand = [this](const QString &path) -> std::optional<kvb::PageList> {
        if (!kvb::isArchivePath(path) || !platform::isFile(path))
            return std::nullopt;
        return archivePages(path);
    };
    kvb::PageList newPages = kvb::collectPages(paths, report, expand);
    if (newPages.empty()) {
        m_prompt.message(text::NothingFound);
        return false;
    }
    appendWithThumbnails(newPages);
    return true;
}

std::optional<kvb::PageList> BinderyEditor::archivePages(const QString &archive,
                                                         std::optional<kvb::ComicInfo> *comicInfo)
{
    auto scratch = std::make_unique<platform::ScratchFile>(m_scratchFolder, QStringLiteral("$KA"));
    kvb::ArchiveContents contents;
    if (scratch->open())
        contents = kvb::readArchivePages(archive, *scratch);
    else
        contents.problem.error = kvb::ArchiveError::WriteFailed;
    if (contents.problem) {
        m_prompt.message(text::ArchiveUnreadable.arg(archive, kvb::describeProblem(contents.problem)));
        return std::nullopt;
    }
    if (comicInfo) {
        QString skipped;
        *comicInfo = kvb::archiveComicInfo(contents, &skipped);
        if (!skipped.isEmpty())
            m_prompt.message(text::ComicInfoSkipped.arg(archive, skipped));
    }
    // The pages are read from the scratch file until a save puts them in a
    // book; it stays while any page refers to it.
    if (!contents.pages.empty())
        m_scratch.push_back(std::move(scratch));
    return std::move(contents.pages);
}

void BinderyEditor::releaseScratch()
{
    QSet<QString> used;
    for (const kvb::PageEntry &page : m_doc.pages)
        used.insert(page.sourcePath);
    std::erase_if(m_scratch, [&](const std::unique_ptr<platform::ScratchFile> &scratch) {
        return !used.contains(scratch->path());
    });
}

QStringList BinderyEditor::folderEntries(const QString &folder)
{
    return kvb::folderPictureEntries(folder);
}

bool BinderyEditor::addPagesCommand(const QStringList &paths)
{
    platform::ProgressScope busy(*m_progress);
    if (!addPages(paths))
        return false;
    m_doc.modified = true;
    changed(ChangePages | ChangeScrollToEnd);
    return true;
}

bool BinderyEditor::addImages()
{
    const QStringList files =
        m_prompt.openFiles({}, m_settings.imageFolder, text::ImageFilter + QStringLiteral(";;") + text::ArchiveFilter);
    if (files.isEmpty())
        return false;
    m_settings.imageFolder = platform::folderOf(files.front());
    return addPagesCommand(files);
}

bool BinderyEditor::addFolderImages()
{
    const QString folder = m_prompt.folder(text::FolderCaption, m_settings.imageFolder2);
    if (folder.isEmpty())
        return false;
    m_settings.imageFolder2 = parentFolder(folder);
    return addPagesCommand(folderEntries(folder));
}

bool BinderyEditor::openFolderAsDocumentCommand()
{
    if (!askClear())
        return false;
    const QString folder = m_prompt.folder(text::FolderAsDocCaption, m_settings.asDocFolder);
    if (folder.isEmpty())
        return false;
    m_settings.asDocFolder = parentFolder(folder);
    clear();
    openFolderAsDocument(folder);
    return true;
}

void BinderyEditor::openFolderAsDocument(const QString &chosen)
{
    platform::ProgressScope busy(*m_progress);
    const QString folder = platform::withoutTrailingSlash(chosen);
    m_doc.documentPath = folder + QStringLiteral(".kvb");
    addPages(folderEntries(folder));
    applyNameRules(folder);
    m_doc.modified = true;
    changed(ChangePages | ChangeFields | ChangeHistories);
}

void BinderyEditor::openArchiveAsDocument(const QString &archive)
{
    platform::ProgressScope busy(*m_progress);
    m_doc.documentPath = platform::joinPath(platform::folderOf(archive), platform::baseNameOf(archive))
                         + QStringLiteral(".kvb");
    std::optional<kvb::ComicInfo> info;
    std::optional<kvb::PageList> pages = archivePages(archive, &info);
    if (pages && pages->empty())
        m_prompt.message(text::NothingFound);
    applyNameRules(archive);
    // What ComicInfo.xml gives comes before what the name gives.
    if (info) {
        kvb::PrincipalAttributes named;
        for (uint8_t type = kvb::Title; type <= kvb::Circle; ++type)
            named.text(type) = m_doc.principalText(type);
        if (m_doc.datePresent)
            named.date = kvb::BookDate{m_doc.year, m_doc.month, m_doc.day};
        const kvb::PrincipalAttributes principal = kvb::archivePrincipal(*info, named);
        for (uint8_t type = kvb::Title; type <= kvb::Circle; ++type)
            m_doc.principalText(type) = principal.text(type);
        if (principal.date) {
            m_doc.datePresent = true;
            m_doc.year = principal.date->year;
            m_doc.month = principal.date->month;
            m_doc.day = principal.date->day;
        }
        m_doc.otherAttributes = info->further;
        if (info->bindRight)
            m_doc.bindRight = true;
    }
    if (pages)
        appendWithThumbnails(*pages);
    m_doc.modified = true;
    changed(ChangePages | ChangeFields | ChangeHistories);
}

void BinderyEditor::applyNameRules(const QString &path)
{
    const QString folder = platform::withoutTrailingSlash(path);
    if (m_settings.nameAsTitle) {
        // An archive's name without its extension, a folder's whole; texts
        // taken from names show them as the lists do (a name in CP932 as its
        // text).
        QString name = platform::shownName(platform::isFolder(folder) ? platform::fileNameOf(folder)
                                                                       : platform::baseNameOf(folder));
        if (m_settings.nameTopAsDate) {
            const kvb::LeadingDate date = clampedFolderDate(name);
            if (date.dated) {
                m_doc.datePresent = true;
                // Parts the name does not give are left open rather than
                // keeping an unrelated earlier date's month or day.
                m_doc.year = date.date.year;
                m_doc.month = date.date.month;
                m_doc.day = date.date.day;
                name = date.rest;
            } else {
                m_doc.datePresent = false;
            }
        }
        m_doc.title = name.left(kvb::kMaxTextChars);
    }
    // 1 author, 2 publisher, 3 circle.
    if (m_settings.parentNameAs >= 1 && m_settings.parentNameAs <= 3) {
        m_doc.principalText(uint8_t(kvb::Author + m_settings.parentNameAs - 1))
            = platform::shownName(platform::fileNameOf(platform::folderOf(folder))).left(kvb::kMaxTextChars);
    }
}

bool BinderyEditor::openBook()
{
    if (!askClear())
        return false;
    const QString path =
        m_prompt.openFile({}, m_settings.kvbFolder, text::BookFilter + QStringLiteral(";;") + text::ArchiveFilter);
    if (path.isEmpty())
        return false;
    if (kvb::isArchivePath(path)) {
        clear();
        m_settings.kvbFolder = platform::folderOf(path);
        openArchiveAsDocument(path);
        return true;
    }
    return openBookFile(path);
}

void BinderyEditor::processArguments(const QStringList &words)
{
    LaunchArguments launch;
    launch.words = words;
    processLaunchArguments(launch);
}

void BinderyEditor::processLaunchArguments(const LaunchArguments &launch)
{
    const auto exists = [](const QString &path) { return platform::pathExists(path); };
    CommandLine command = splitCommandLine(platform::joinArguments(launch.words), exists);
    command.paths << splitCommandLine(platform::joinArguments(launch.paths), exists, false).paths;
    if (command.paths.isEmpty())
        return;
    QStringList paths;
    for (const QString &path : command.paths)
        paths << (platform::pathExists(path) ? platform::absolutePath(path) : path);
    if (command.openFolderAsDocument) {
        for (const QString &path : paths) {
            if (platform::isFolder(path)) {
                openFolderAsDocument(path);
                break;
            }
            if (platform::isFile(path) && kvb::isArchivePath(path)) {
                openArchiveAsDocument(path);
                break;
            }
        }
        return;
    }
    QStringList collected;
    bool folderSeen = false;
    for (const QString &path : paths) {
        const platform::PathInfo info = platform::pathInfo(path);
        if (info.isFolder) {
            collected << folderEntries(path);
            folderSeen = true;
            break;
        }
        if (info.exists && (kvb::pageKindFromExtension(path) != kvb::NotAccepted || kvb::isArchivePath(path)))
            collected << path;
    }
    if (!folderSeen && collected.size() == 1 && kvb::pageKindFromExtension(collected.front()) == kvb::BookKind) {
        platform::ProgressScope busy(*m_progress);
        loadFromBook(collected.front());
        m_doc.modified = false;
        m_doc.currentPosition = 0;
    } else {
        addPagesCommand(collected);
    }
}

// ---- Save and export ----

bool BinderyEditor::writeDocument(const QString &path)
{
    platform::ProgressScope busy(*m_progress);
    // The book this one replaces goes when its name does: the kernel drops
    // its pages from memory and frees its blocks inside the rename, for a
    // book in the page cache up to half as long as writing it took. Held open
    // through the rename, it goes on another thread once the new book is in
    // place, and the save returns without waiting for it.
    int replaced = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info;
    if (replaced >= 0 && (::fstat(replaced, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(replaced);
        replaced = -1;
    }
    const bool written = kvb::KVBFile::writeBook(path, m_doc.layoutFlags(), m_doc.withThumbnail,
                                                 bookAttributes(m_doc), m_doc.pages);
    if (replaced >= 0) {
        if (m_replacedRelease.valid())
            m_replacedRelease.wait();
        try {
            m_replacedRelease = std::async(std::launch::async, [replaced] { ::close(replaced); });
        } catch (const std::system_error &) {
            ::close(replaced);
        }
    }
    return written;
}

bool BinderyEditor::save()
{
    if (m_doc.pages.empty() || m_doc.documentPath.isEmpty()) {
        m_prompt.beep();
        return false;
    }
    if (!validate())
        return false;
    if (!writeDocument(m_doc.documentPath)) {
        m_prompt.message(text::SaveFailed, PromptIcon::None);
        return false;
    }
    m_doc.modified = false;
    releaseScratch();
    refreshNow();
    m_prompt.message(text::Saved, PromptIcon::Information);
    m_histories.mergeDocument(m_doc);
    changed(ChangeHistories);
    return true;
}

bool BinderyEditor::saveAs()
{
    if (m_doc.pages.empty()) {
        m_prompt.beep();
        return false;
    }
    if (!validate())
        return false;
    const QString proposal = proposedSavePath(m_doc, m_settings.autoFileName, m_settings.kvbFolder);
    QString path = m_prompt.saveFile({}, proposal, text::BookFilter);
    if (path.isEmpty())
        return false;
    // The dialog's default extension.
    if (platform::extensionOf(path).isEmpty())
        path += QStringLiteral(".kvb");
    if (!writeDocument(path)) {
        m_prompt.message(text::SaveFailed, PromptIcon::None);
        return false;
    }
    m_doc.documentPath = path;
    m_settings.kvbFolder = platform::folderOf(path);
    m_doc.modified = false;
    releaseScratch();
    refreshNow();
    m_prompt.message(text::Saved, PromptIcon::Information);
    m_histories.mergeDocument(m_doc);
    changed(ChangeHistories);
    return true;
}

bool BinderyEditor::replacesPageSource(const std::vector<QString> &targets) const
{
    QSet<QString> sources;
    for (const kvb::PageEntry &page : m_doc.pages) {
        const QString source = platform::canonicalPath(page.sourcePath);
        if (!source.isEmpty())
            sources.insert(source);
    }
    return std::any_of(targets.begin(), targets.end(), [&](const QString &target) {
        const QString existing = platform::canonicalPath(target);
        return !existing.isEmpty() && sources.contains(existing);
    });
}

bool BinderyEditor::exportPages(bool selectedOnly)
{
    if (m_doc.pages.empty() || (selectedOnly && m_doc.selection.empty())) {
        m_prompt.beep();
        return false;
    }
    const QString folder = m_prompt.folder(selectedOnly ? text::ExportSelectedCaption : text::ExportAllCaption,
                                           m_settings.expFolder);
    if (folder.isEmpty())
        return false;
    {
        platform::ProgressScope busy(*m_progress);
        m_settings.expFolder = folder;
        std::vector<const kvb::PageEntry *> pages;
        std::vector<QString> names;
        int number = m_settings.expStartNum;
        for (int i = 0; i < m_doc.pageCount(); ++i) {
            if (selectedOnly && !m_doc.isSelected(i))
                continue;
            pages.push_back(&m_doc.pages[size_t(i)]);
            names.push_back(exportFileName(folder, m_settings.expPrefix, number++, pages.back()->kind));
        }
        // Replacing a file that pages are still read from would destroy those
        // pages (the file is emptied before it is read), so such an export
        // fails before anything is written.
        if (replacesPageSource(names)) {
            m_prompt.message(text::ExportFailed, PromptIcon::None);
            return false;
        }
        for (size_t k = 0; k < pages.size(); ++k) {
            if (!kvb::KVBFile::copyPageData(*pages[k], names[k])) {
                m_prompt.message(text::ExportFailed, PromptIcon::None);
                return false;
            }
        }
    }
    m_prompt.message(text::Exported, PromptIcon::Information);
    return true;
}

bool BinderyEditor::exportArchive()
{
    if (m_doc.pages.empty()) {
        m_prompt.beep();
        return false;
    }
    // The name a save would propose, as a .cbz.
    QString proposal = proposedSavePath(m_doc, m_settings.autoFileName, m_settings.kvbFolder);
    if (platform::extensionOf(proposal).compare(QLatin1String("kvb"), Qt::CaseInsensitive) == 0)
        proposal = proposal.chopped(3) + QStringLiteral("cbz");
    QString path = m_prompt.saveFile({}, proposal, text::CbzFilter);
    if (path.isEmpty())
        return false;
    if (platform::extensionOf(path).isEmpty())
        path += QStringLiteral(".cbz");
    bool written = false;
    {
        platform::ProgressScope busy(*m_progress);
        written = kvb::writeBookArchive(path, m_doc.layoutFlags(), bookAttributes(m_doc), m_doc.pages);
    }
    if (!written) {
        m_prompt.message(text::ExportFailed, PromptIcon::None);
        return false;
    }
    m_prompt.message(text::Exported, PromptIcon::Information);
    return true;
}

// ---- State shown by the window ----

ControlStates BinderyEditor::controlStates() const
{
    ControlStates s;
    const int count = m_doc.pageCount();
    const bool one = m_doc.selection.size() == 1;
    s.moveUp = one && m_doc.selection.front() > 0;
    s.moveDown = one && m_doc.selection.front() < count - 1;
    s.remove = !m_doc.selection.empty();
    s.duplicate = one;
    s.selectAll = count > 0;
    s.layoutRadios = m_doc.pageSpread;
    s.dateFields = m_doc.datePresent;
    s.save = count > 0 && m_doc.modified && !m_doc.documentPath.isEmpty();
    s.saveAs = count > 0;
    s.exportSelected = !m_doc.selection.empty();
    return s;
}

QString BinderyEditor::windowTitle() const
{
    const QString name =
        m_doc.documentPath.isEmpty() ? text::NewBookName : platform::shownName(platform::fileNameOf(m_doc.documentPath));
    return QStringLiteral("Bindery - ") + name + (m_doc.modified ? QStringLiteral(" *") : QString());
}

bool BinderyEditor::confirmClose()
{
    if (!needsCloseQuestion())
        return true;
    return m_prompt.message(text::CloseQuestion, PromptIcon::Question, PromptButtons::OkCancelDefaultCancel)
           == PromptAnswer::Ok;
}

} // namespace bindery
