#include "runcontroller.h"

#include "bookunpacker.h"
#include "filewalker.h"
#include "foldertree.h"

#include <platform/filenames.h>
#include <platform/paths.h>
#include <platform/prompt.h>
#include <platform/textcompare.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <unistd.h>

namespace harvester {

namespace {

using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;

// A folder list without the folders that have a listed folder below them.
QStringList leafFolders(const QStringList &folders)
{
    QSet<QString> listed(folders.begin(), folders.end());
    QSet<QString> parents;
    for (const QString &folder : folders) {
        for (QString up = platform::folderOf(folder); !up.isEmpty(); up = platform::folderOf(up)) {
            if (listed.contains(up))
                parents.insert(up);
        }
    }
    QStringList leaves;
    for (const QString &folder : folders) {
        if (!parents.contains(folder))
            leaves.append(folder);
    }
    return leaves;
}

QString errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

QString RunSummary::text() const
{
    return text::SummaryLog.arg(done).arg(failed).arg(passedOver).arg(deleted).arg(trashed);
}

RunController::RunController(platform::Prompt &prompt, RunObserver &observer, QObject *parent)
    : QObject(parent), m_prompt(prompt), m_observer(observer),
      m_packer(prompt, [this](const QString &text) { AppendLog(text); })
{
    m_packer.waiting = &m_observer;
    connect(&m_link, &ExtractorLink::lineReady, this, &RunController::onExtractorLine);
    connect(&m_link, &ExtractorLink::listed, this, &RunController::onListed);
    connect(&m_link, &ExtractorLink::exited, this, [this](int exitCode) { FinishPdf(false, exitCode); });
}

RunController::~RunController()
{
    m_link.terminate();
}

void RunController::setExtractor(const QString &path)
{
    m_extractorPath = path;
    m_extractorPrefix = path + QStringLiteral(" -j -png ");
}

void RunController::setFileOperations(FileOperations *operations)
{
    m_operations = operations ? operations : &m_defaultOperations;
}

bool RunController::stopRequested()
{
    if (!m_stopRequested && m_running && m_observer.cancelRequested())
        requestStop();
    return m_stopRequested;
}

void RunController::requestStop()
{
    if (!m_running)
        return;
    m_stopRequested = true;
    m_walkStop = true;
}

void RunController::AppendLog(const QString &text)
{
    m_log.AppendLog(text);
    m_observer.logLine(text);
}

void RunController::EndRun()
{
    if (m_itemsBegun) {
        m_itemsBegun = false;
        AppendLog(m_summary.text());
    }
    // The run's own folder goes with whatever an item left in it.
    m_work.reset();
    m_runList.clear();
    m_pdfInWork = false;
    if (m_progressBegun) {
        m_progressBegun = false;
        m_observer.end();
    }
    m_running = false;
    if (m_outcome == RunOutcome::None)
        m_outcome = RunOutcome::Ended;
    m_observer.runningChanged(false);
    emit runEnded();
}

void RunController::fail(const QString &message)
{
    m_prompt.message(message);
    EndRun();
}

void RunController::finishWithMessage(RunOutcome outcome, const QString &message)
{
    m_outcome = outcome;
    const QString shown = m_itemsBegun ? message + u'\n' + m_summary.text() : message;
    EndRun();
    m_prompt.message(shown, PromptIcon::Information);
}

QString RunController::stopNote(SourceKind kind) const
{
    const SourceTexts texts = sourceTexts(kind);
    switch (m_options.postProcess) {
    case DeleteSources: return texts.deleteNote;
    case RecycleSources: return texts.recycleNote;
    default: return {};
    }
}

void RunController::setTargetFolderName(const QString &target)
{
    m_targetFolderName = platform::fileNameOf(platform::withoutTrailingSlash(target));
    m_packer.targetFolderName = m_targetFolderName;
}

QString RunController::checkedFolder(const QString &text)
{
    if (text.size() < 2)
        return {};
    // Absolute, so that no path handed to the extractor looks like an option.
    QString folder = QDir::isAbsolutePath(text) ? text : QDir::current().absoluteFilePath(text);
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return isExistingFolder(folder) ? folder : QString();
}

void RunController::start(const RunOptions &options)
{
    if (m_running)
        return;
    m_options = options;
    m_running = true;
    m_stopRequested = false;
    m_walkStop = false;
    m_abortAfterWrite = false;
    m_outcome = RunOutcome::None;
    m_states.clear();
    m_summary = RunSummary();
    m_itemsBegun = false;
    m_packedPages.clear();
    m_packedArchives.clear();
    m_work.reset();
    m_runList.clear();
    m_currentIndex = 0;
    m_observer.runningChanged(true);

    m_packer.options = options.book;
    m_packer.targetFolderName.clear();
    m_targetFolderName.clear();

    switch (options.mode) {
    case PdfToBook:
    case PdfToImageFolder: StartPdfRun(); break;
    case ImageFoldersToBooks: runImageFolders(); break;
    case BooksToImageFolders: runBooks(); break;
    case ArchivesToBooks: runArchives(); break;
    default: EndRun(); break;
    }
}

QString RunController::outputOf(int mode, const QString &source)
{
    switch (mode) {
    case PdfToBook:
    case ImageFoldersToBooks: return ImageFolderPacker::bookNameFor(source).bookPath;
    case PdfToImageFolder: return source.left(source.lastIndexOf(u'.'));
    case ArchivesToBooks: return ImageFolderPacker::bookPathForArchive(source);
    default: return BookUnpacker::outputFolderFor(source);
    }
}

void RunController::planOutputs(const QStringList &protectedFolders)
{
    QStringList outputs;
    for (const QString &source : std::as_const(m_runList))
        outputs.append(outputOf(m_options.mode, source));
    m_outputs.plan(m_runList, outputs, protectedFolders);
    m_states.assign(size_t(m_runList.size()), ItemState::Pending);
}

void RunController::settle(int item, ItemState state)
{
    ItemState &current = m_states.at(size_t(item));
    auto count = [this](ItemState s) -> int * {
        switch (s) {
        case ItemState::Done: return &m_summary.done;
        case ItemState::Failed: return &m_summary.failed;
        case ItemState::PassedOver: return &m_summary.passedOver;
        case ItemState::Pending: break;
        }
        return nullptr;
    };
    if (int *was = count(current))
        --*was;
    if (int *now = count(state))
        ++*now;
    current = state;
}

bool RunController::refused(int item)
{
    if (m_outputs.refusal(item) == RunOutputs::Refusal::None)
        return false;
    AppendLog(m_outputs.refusalLog(item));
    settle(item, ItemState::PassedOver);
    return true;
}

void RunController::StartPdfRun()
{
    const QString target = checkedFolder(m_options.targetFolder);
    if (target.isEmpty())
        return fail(text::PdfFolderMissing);
    setTargetFolderName(target);

    m_workFolder = checkedFolder(m_options.workFolder);
    if (m_workFolder.isEmpty())
        return fail(text::WorkFolderMissing);
    if (!platform::isHalfWidth(m_workFolder))
        return fail(text::WorkFolderFullWidth);

    CTypedFileWalker walker(QStringLiteral("pdf"));
    if (!search(walker, target, text::SearchingPdf, text::PdfSearchFailed))
        return;
    m_runList = walker.result;
    if (m_runList.isEmpty())
        return fail(text::NoPdf);
    planOutputs({m_workFolder});
    beginItems();
    launchCurrent();
}

void RunController::launchCurrent()
{
    while (m_currentIndex < m_runList.size() && refused(m_currentIndex)) {
        ++m_currentIndex;
        m_observer.setPosition(m_currentIndex);
    }
    if (m_currentIndex == m_runList.size())
        return finishRun(SourceKind::Pdf);

    const QString pdfPath = m_runList.at(m_currentIndex);
    if (!BuildCommandLine(pdfPath, m_command)) {
        m_prompt.message(text::CommandLineFailed);
        return EndRun();
    }
    AppendLog(m_command.text);
    m_errorLines = 0;
    m_warningLines = 0;
    m_listing.reset();
    m_listExitCode = 0;
    // First the PDF's list of images, which the extraction is checked against.
    const ExtractorCommand list{QString(), m_extractorPath, {QStringLiteral("-list"), m_command.arguments.at(2)}};
    if (!m_link.ListImages(list)) {
        FinishPdf(true, 0);
        m_prompt.message(text::LaunchFailed);
        return;
    }
    m_pdfInWork = true;
}

void RunController::onListed(int exitCode, const QByteArray &output)
{
    if (!m_running || !m_pdfInWork)
        return;
    m_listExitCode = exitCode;
    if (exitCode == 0)
        m_listing = parseImageList(output);
    if (!m_link.LaunchExtractor(m_command)) {
        m_pdfInWork = false;
        settle(m_currentIndex, ItemState::Failed);
        FinishPdf(true, 0);
        m_prompt.message(text::LaunchFailed);
    }
}

bool RunController::BuildCommandLine(const QString &pdfPath, ExtractorCommand &command)
{
    m_observer.setText(pdfPath);
    if (!m_work)
        m_work = std::make_unique<RunWorkFolder>(m_workFolder);
    if (!m_work->open() || !m_work->prepareItemFolder())
        return false;
    const QString root = m_work->itemFolder() + QStringLiteral("/Img");
    // The extractor is started through QProcess, which hands it names as
    // UTF-8: a PDF named in other bytes is handed over by a link of a plain
    // name in the run's folder (beside the item folder, whose every entry
    // must be a page).
    QString given = pdfPath;
    if (platform::carriesRawBytes(pdfPath)) {
        given = m_work->path() + QStringLiteral("/source.pdf");
        ::unlink(platform::nameBytes(given).constData());
        if (::symlink(platform::nameBytes(pdfPath).constData(), platform::nameBytes(given).constData()) != 0)
            return false;
    }
    command.text = m_extractorPrefix + u'"' + platform::shownName(pdfPath) + QStringLiteral("\" \"") + root + u'"';
    command.program = m_extractorPath;
    command.arguments = {QStringLiteral("-j"), QStringLiteral("-png"), given, root};
    return true;
}

void RunController::onExtractorLine(const QString &line)
{
    AppendLog(line);
    if (line.contains(QLatin1String("Error")))
        ++m_errorLines;
    if (line.contains(QLatin1String("Warning")))
        ++m_warningLines;
}

void RunController::FinishPdf(bool abort, int exitCode)
{
    if (!m_running)
        return;
    if (m_packer.writing()) {
        // The PDF in work is being packed while events go on: an abort (a
        // forced close, a second Ctrl-C) ends the run once its book is
        // written, and nothing else is started.
        if (abort) {
            m_stopRequested = true;
            m_walkStop = true;
            m_abortAfterWrite = true;
        }
        return;
    }
    if (abort) {
        // A walk or a deletion loop below this call ends as well.
        m_stopRequested = true;
        m_walkStop = true;
    }
    m_link.deliverWaitingLines();
    m_link.terminate();

    if (m_pdfInWork) {
        m_pdfInWork = false;
        const ItemResult result = settlePdf(abort, exitCode);
        settle(m_currentIndex, result.state);
        if (result.stopRun)
            return EndRun();
    }
    if (!m_running)
        return;
    if (abort || m_abortAfterWrite)
        return EndRun();

    AppendLog(text::ExitCodeLog.arg(exitCode).arg(QString::number(uint32_t(exitCode), 16).toUpper()));
    if (stopRequested())
        return finishWithMessage(RunOutcome::Stopped, text::Stopped + stopNote(SourceKind::Pdf));
    if (exitCode != 0 || m_errorLines != 0 || m_warningLines != 0) {
        const QString question = text::ExtractorTrouble.arg(uint32_t(exitCode)).arg(m_errorLines).arg(m_warningLines)
                                 + (m_options.mode == PdfToImageFolder ? text::CheckImages : text::CheckBook)
                                 + text::Continue;
        if (m_prompt.message(question, PromptIcon::Question, PromptButtons::OkCancel) != PromptAnswer::Ok)
            return EndRun();
    }
    ++m_currentIndex;
    m_observer.setPosition(m_currentIndex);
    launchCurrent();
}

RunController::ItemResult RunController::settlePdf(bool abort, int exitCode)
{
    const QString itemFolder = m_work->itemFolder();
    const QString pdfPath = m_runList.at(m_currentIndex);
    const QString notMade = m_options.mode == PdfToImageFolder ? text::NoFolderMadeLog : text::NoBookWrittenLog;
    // The item's images go once they are in place or found incomplete.
    struct ClearItem {
        QString folder;
        ~ClearItem() { DeleteFolderTree(folder); }
    } clear{itemFolder};

    QStringList problems;
    if (abort)
        problems.append(text::ExtractorKilledLog);
    else if (exitCode != 0)
        problems.append(text::ExtractorFailedLog.arg(exitCode));
    if (!m_listing && !abort)
        problems.append(text::ListFailedLog.arg(m_listExitCode));
    ExtractionCheck check;
    if (m_listing && !abort) {
        check = checkExtraction(itemFolder, QStringLiteral("Img"), *m_listing);
        problems += check.problems;
    }
    if (!problems.isEmpty()) {
        for (const QString &problem : std::as_const(problems))
            AppendLog(problem);
        AppendLog(notMade);
        return {ItemState::Failed};
    }
    if (m_options.mode == PdfToImageFolder) {
        // Nothing came out of this PDF: no folder is replaced or made.
        if (check.listed == 0)
            return {ItemState::PassedOver};
        return placeImageFolder(itemFolder, pdfPath);
    }
    return packPdf(check.pageFiles, pdfPath);
}

RunController::ItemResult RunController::packPdf(const QStringList &pageFiles, const QString &pdfPath)
{
    const QString book = ImageFolderPacker::bookNameFor(pdfPath).bookPath;
    if (!m_outputs.mayReplace(book)) {
        AppendLog(RunOutputs::writtenLog(book, pdfPath));
        return {ItemState::PassedOver};
    }
    kvb::PageList pages;
    for (const QString &file : pageFiles) {
        std::optional<kvb::PageEntry> page = ImageFolderPacker::pageFromFile(file, kvb::pageKindFromExtension(file));
        if (!page) {
            AppendLog(text::ImageCutLog.arg(platform::fileNameOf(file)));
            AppendLog(text::NoBookWrittenLog);
            return {ItemState::Failed};
        }
        pages.push_back(std::move(*page));
    }
    switch (m_packer.packPages(pdfPath, std::move(pages))) {
    case ImageFolderPacker::Written: m_outputs.recordWritten(book); return {ItemState::Done};
    case ImageFolderPacker::NoImageFiles: return {ItemState::PassedOver};
    default: return {m_packer.lastStopFailed() ? ItemState::Failed : ItemState::PassedOver, true};
    }
}

RunController::ItemResult RunController::placeImageFolder(const QString &workPath, const QString &pdfPath)
{
    const QString imageFolder = outputOf(PdfToImageFolder, pdfPath);
    if (!m_outputs.mayReplace(imageFolder)) {
        AppendLog(RunOutputs::writtenLog(imageFolder, pdfPath));
        return {ItemState::PassedOver};
    }
    if (platform::isFolder(imageFolder)) {
        if (m_prompt.message(text::ImageFolderExistsDelete, PromptIcon::Question, PromptButtons::OkCancel)
            != PromptAnswer::Ok)
            return {ItemState::PassedOver, true};
        DeleteFolderTree(imageFolder);
    }
    if (!moveWithRetries(workPath, imageFolder))
        return {ItemState::Failed, true};
    m_outputs.recordWritten(imageFolder);
    return {ItemState::Done};
}

bool RunController::moveWithRetries(const QString &from, const QString &to)
{
    if (m_operations->moveFolder(from, to))
        return true;
    for (;;) {
        for (int retry = 0; retry < 2; ++retry) {
            AppendLog(text::MoveRetryLog);
            m_operations->pause(200);
            if (m_operations->moveFolder(from, to))
                return true;
        }
        if (m_prompt.message(text::MoveFailed, PromptIcon::Stop, PromptButtons::RetryCancel) != PromptAnswer::Retry)
            return false;
        if (m_operations->moveFolder(from, to))
            return true;
    }
}

void RunController::finishRun(SourceKind kind)
{
    if (!PostProcessSources(kind))
        return EndRun();
    if (!m_running)
        return;
    if (stopRequested())
        return EndRun();
    finishWithMessage(RunOutcome::Completed, text::Done);
}

bool RunController::PostProcessSources(SourceKind kind)
{
    const int choice = m_options.postProcess;
    if (choice != RecycleSources && choice != DeleteSources)
        return true;
    const SourceTexts texts = sourceTexts(kind);
    m_observer.setText(choice == DeleteSources ? texts.deleting : texts.recycling);
    m_observer.processEvents();
    m_observer.setPosition(0);

    int done = 0;
    for (int item = 0; item < m_runList.size(); ++item) {
        if (m_states.at(size_t(item)) != ItemState::Done)
            continue;
        m_observer.processEvents();
        if (!m_running || stopRequested())
            break;
        if (!releaseSource(item, kind))
            return false;
        m_observer.setPosition(++done);
    }
    return true;
}

bool RunController::releaseSource(int item, SourceKind kind)
{
    const QString &path = m_runList.at(item);
    if (kind == SourceKind::Archive) {
        const ArchiveRelease release = checkArchiveRelease(path, m_packedArchives[item]);
        if (release.changed) {
            AppendLog(text::ArchiveChangedLog.arg(platform::shownName(path)));
            return true;
        }
        if (!release.allowed()) {
            AppendLog(text::ArchiveKeptLog.arg(release.entry, platform::shownName(path)));
            return true;
        }
    }
    if (kind == SourceKind::ImageFolder) {
        // Only a folder whose every entry went into its book goes.
        const FolderRelease release = checkFolderRelease(path, m_packedPages[item]);
        if (!release.allowed()) {
            AppendLog((release.changed ? text::FolderChangedLog : text::FolderKeptLog).arg(release.entry, path));
            return true;
        }
    }
    if (m_options.postProcess == DeleteSources) {
        const int error = kind == SourceKind::ImageFolder ? m_operations->deleteFolder(path)
                                                          : m_operations->deleteFile(path);
        if (error == 0) {
            ++m_summary.deleted;
        } else {
            AppendLog(text::DeleteFailedLog.arg(path).arg(error).arg(errorText(error)));
            settle(item, ItemState::Failed);
        }
        return true;
    }
    for (;;) {
        const int error = m_operations->moveToTrash(path);
        if (error == 0) {
            ++m_summary.trashed;
            return true;
        }
        AppendLog(text::TrashFailedLog.arg(path).arg(error).arg(errorText(error)));
        if (m_prompt.message(sourceTexts(kind).recycleFailed, PromptIcon::Stop, PromptButtons::RetryCancel)
            != PromptAnswer::Retry) {
            settle(item, ItemState::Failed);
            return false;
        }
    }
}

bool RunController::search(CFileWalker &walker, const QString &target, const QString &status,
                           const QString &failed)
{
    m_observer.setText(status);
    walker.setControl(&m_observer, &m_walkStop);
    const bool walked = walker.Walk(target, m_options.includeSubfolders);
    if (!m_running)
        return false; // a forced close ended the run during the search
    if (walked)
        return true;
    if (!stopRequested())
        m_prompt.message(failed);
    EndRun();
    return false;
}

void RunController::beginItems()
{
    m_itemsBegun = true;
    m_observer.begin(QString(), int(m_runList.size()));
    m_progressBegun = true;
    m_observer.setPosition(0);
    m_currentIndex = 0;
}

void RunController::runItems(SourceKind kind, const QString &logLine,
                             const std::function<ItemResult(const QString &)> &handle)
{
    beginItems();
    while (m_currentIndex < m_runList.size()) {
        const QString item = m_runList.at(m_currentIndex);
        m_observer.setText(platform::shownName(item));
        AppendLog(logLine.arg(platform::shownName(item)));
        if (!refused(m_currentIndex)) {
            const ItemResult result = handle(item);
            settle(m_currentIndex, result.state);
            if (result.stopRun)
                return EndRun();
        }
        m_observer.processEvents();
        if (stopRequested())
            return finishWithMessage(RunOutcome::Stopped, text::Stopped + stopNote(kind));
        ++m_currentIndex;
        m_observer.setPosition(m_currentIndex);
    }
    finishRun(kind);
}

void RunController::runImageFolders()
{
    const QString target = checkedFolder(m_options.targetFolder);
    if (target.isEmpty())
        return fail(text::FolderMissing);
    setTargetFolderName(target);

    CFolderWalker walker;
    if (!search(walker, target, text::SearchingFolders, text::FolderSearchFailed))
        return;
    m_runList = m_options.includeSubfolders ? leafFolders(walker.result) : walker.result;
    if (m_runList.isEmpty())
        return fail(text::NoFolders);
    planOutputs({});
    runItems(SourceKind::ImageFolder, text::PackLog, [this](const QString &folder) { return packFolder(folder); });
}

RunController::ItemResult RunController::packFolder(const QString &folder)
{
    const QString book = ImageFolderPacker::bookNameFor(folder).bookPath;
    if (!m_outputs.mayReplace(book)) {
        AppendLog(RunOutputs::writtenLog(book, folder));
        return {ItemState::PassedOver};
    }
    kvb::PageList packed;
    switch (m_packer.ImageFolderToKVB(folder, folder, PageOrder::ByPath, &packed)) {
    case ImageFolderPacker::StopRun:
        return {m_packer.lastStopFailed() ? ItemState::Failed : ItemState::PassedOver, true};
    case ImageFolderPacker::NoImageFiles: return {ItemState::PassedOver};
    default: break;
    }
    m_outputs.recordWritten(book);
    m_packedPages[m_currentIndex] = std::move(packed);
    return {ItemState::Done};
}

void RunController::runBooks()
{
    const QString target = checkedFolder(m_options.targetFolder);
    if (target.isEmpty())
        return fail(text::BookFolderMissing);

    CTypedFileWalker walker(QStringLiteral("kvb"));
    if (!search(walker, target, text::SearchingBooks, text::BookSearchFailed))
        return;
    m_runList = walker.result;
    if (m_runList.isEmpty())
        return fail(text::NoBooks);
    planOutputs({});
    BookUnpacker unpacker(m_prompt);
    runItems(SourceKind::Book, text::UnpackLog, [this, &unpacker](const QString &book) -> ItemResult {
        const QString folder = BookUnpacker::outputFolderFor(book);
        if (!m_outputs.mayReplace(folder)) {
            AppendLog(RunOutputs::writtenLog(folder, book));
            return {ItemState::PassedOver};
        }
        switch (unpacker.KVBToImageFolder(book)) {
        case BookUnpacker::StopRun:
            return {unpacker.lastStopFailed() ? ItemState::Failed : ItemState::PassedOver, true};
        case BookUnpacker::PassedOver: m_outputs.recordWritten(folder); return {ItemState::Failed};
        default: m_outputs.recordWritten(folder); return {ItemState::Done};
        }
    });
}

void RunController::runArchives()
{
    const QString target = checkedFolder(m_options.targetFolder);
    if (target.isEmpty())
        return fail(text::FolderMissing);
    setTargetFolderName(target);

    CArchiveWalker walker;
    if (!search(walker, target, text::SearchingArchives, text::ArchiveSearchFailed))
        return;
    m_runList = walker.result;
    if (m_runList.isEmpty())
        return fail(text::NoArchives);
    planOutputs({});
    runItems(SourceKind::Archive, text::ArchivePackLog,
             [this](const QString &archive) { return packArchive(archive); });
}

RunController::ItemResult RunController::packArchive(const QString &archive)
{
    const QString book = outputOf(ArchivesToBooks, archive);
    if (!m_outputs.mayReplace(book)) {
        AppendLog(RunOutputs::writtenLog(book, archive));
        return {ItemState::PassedOver};
    }
    ArchivePacking packing;
    switch (m_packer.ArchiveToKVB(archive, book, packing)) {
    case ImageFolderPacker::StopRun:
        return {m_packer.lastStopFailed() ? ItemState::Failed : ItemState::PassedOver, true};
    case ImageFolderPacker::NoImageFiles: return {ItemState::PassedOver};
    case ImageFolderPacker::Refused: return {ItemState::Failed};
    default: break;
    }
    m_outputs.recordWritten(book);
    if (!packing.import.comicInfoSkipped.isEmpty())
        AppendLog(text::ComicInfoSkippedLog.arg(packing.import.comicInfoSkipped));
    m_packedArchives[m_currentIndex] = std::move(packing);
    return {ItemState::Done};
}

} // namespace harvester
