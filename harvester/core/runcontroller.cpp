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

} // namespace

RunController::RunController(platform::Prompt &prompt, RunObserver &observer, QObject *parent)
    : QObject(parent), m_prompt(prompt), m_observer(observer),
      m_packer(prompt, [this](const QString &text) { AppendLog(text); })
{
    connect(&m_link, &ExtractorLink::lineReady, this, &RunController::onExtractorLine);
    connect(&m_link, &ExtractorLink::exited, this, [this](int exitCode) { FinishPdf(false, exitCode); });
}

RunController::~RunController()
{
    m_link.terminate();
}

void RunController::setExtractor(const QString &path)
{
    m_extractorPath = path;
    m_extractorPrefix = path + QStringLiteral(" -j ");
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
    EndRun();
    m_prompt.message(message, PromptIcon::Information);
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
    m_outcome = RunOutcome::None;
    m_leftOut.clear();
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
    default: EndRun(); break;
    }
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
    beginItems();
    launchCurrent();
}

void RunController::launchCurrent()
{
    const QString pdfPath = m_runList.at(m_currentIndex);
    // pdfimages is started through QProcess, which hands it names as UTF-8:
    // a PDF named in other bytes would reach it as another name, so it is
    // logged and left as it is.
    if (platform::carriesRawBytes(pdfPath)) {
        AppendLog(text::PdfNameNotPassed.arg(platform::shownName(pdfPath)));
        m_leftOut.insert(m_currentIndex);
        ++m_currentIndex;
        m_observer.setPosition(m_currentIndex);
        if (m_currentIndex < m_runList.size())
            return launchCurrent();
        return finishRun(SourceKind::Pdf);
    }
    ExtractorCommand command;
    if (!BuildCommandLine(pdfPath, command)) {
        m_prompt.message(text::CommandLineFailed);
        return EndRun();
    }
    AppendLog(command.text);
    m_errorLines = 0;
    m_warningLines = 0;
    if (!m_link.LaunchExtractor(command)) {
        FinishPdf(true, 0);
        m_prompt.message(text::LaunchFailed);
        return;
    }
    m_pdfInWork = true;
}

bool RunController::BuildCommandLine(const QString &pdfPath, ExtractorCommand &command)
{
    m_observer.setText(pdfPath);
    const QString workPath = m_workFolder + kWorkFolderName;
    if (!prepareWorkPath(workPath))
        return false;
    const QString root = workPath + QStringLiteral("/Img");
    command.text = m_extractorPrefix + u'"' + pdfPath + QStringLiteral("\" \"") + root + u'"';
    command.program = m_extractorPath;
    command.arguments = {QStringLiteral("-j"), pdfPath, root};
    return true;
}

bool RunController::prepareWorkPath(const QString &workPath)
{
    // The work folder must be a real folder of its own: a link in its place
    // is removed (never emptied through), and whatever an earlier failed or
    // cancelled run left in it goes, so it never ends up in this PDF's book.
    if (QFileInfo(workPath).isSymLink())
        ::unlink(platform::nameBytes(workPath).constData());
    return CreateFolderTree(workPath) && EmptyFolder(workPath);
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
    if (abort) {
        // A walk or a deletion loop below this call ends as well.
        m_stopRequested = true;
        m_walkStop = true;
    }
    m_link.deliverWaitingLines();
    m_link.terminate();

    if (m_pdfInWork) {
        m_pdfInWork = false;
        const QString workPath = m_workFolder + kWorkFolderName;
        const QString pdfPath = m_runList.at(m_currentIndex);
        if (m_options.mode == PdfToImageFolder) {
            if (!placeImageFolder(workPath, pdfPath))
                return EndRun();
        } else {
            const int packed = m_packer.ImageFolderToKVB(workPath, pdfPath, PageOrder::ByExtractorNumber);
            DeleteFolderTree(workPath);
            if (packed == ImageFolderPacker::StopRun)
                return EndRun();
            if (packed == ImageFolderPacker::NoImageFiles)
                m_leftOut.insert(m_currentIndex);
        }
    }
    if (!m_running)
        return;
    if (abort)
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
    if (m_currentIndex < m_runList.size())
        return launchCurrent();
    finishRun(SourceKind::Pdf);
}

bool RunController::placeImageFolder(const QString &workPath, const QString &pdfPath)
{
    // Nothing came out of this PDF: no folder is replaced or made, and the
    // PDF stays whatever the run does with its sources.
    if (!holdsFiles(workPath)) {
        DeleteFolderTree(workPath);
        m_leftOut.insert(m_currentIndex);
        return true;
    }
    const QString imageFolder = pdfPath.left(pdfPath.lastIndexOf(u'.'));
    const QFileInfo existing(imageFolder);
    if (existing.isDir()) {
        if (m_prompt.message(text::ImageFolderExistsDelete, PromptIcon::Question, PromptButtons::OkCancel)
            != PromptAnswer::Ok)
            return false;
        DeleteFolderTree(imageFolder);
    }
    return moveWithRetries(workPath, imageFolder);
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

QStringList RunController::processedSources() const
{
    QStringList sources;
    for (int i = 0; i < m_runList.size(); ++i) {
        if (!m_leftOut.contains(i))
            sources.append(m_runList.at(i));
    }
    return sources;
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

    const QStringList sources = processedSources();
    for (int done = 0; done < sources.size(); ++done) {
        m_observer.processEvents();
        if (!m_running || stopRequested())
            break;
        const QString &path = sources.at(done);
        if (choice == DeleteSources) {
            if (kind == SourceKind::ImageFolder)
                m_operations->deleteFolder(path);
            else
                m_operations->deleteFile(path);
        } else {
            while (!m_operations->moveToTrash(path)) {
                AppendLog(text::TrashFailedLog.arg(path));
                if (m_prompt.message(texts.recycleFailed, PromptIcon::Stop, PromptButtons::RetryCancel)
                    != PromptAnswer::Retry)
                    return false;
            }
        }
        m_observer.setPosition(done + 1);
    }
    return true;
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
    m_observer.begin(QString(), int(m_runList.size()));
    m_progressBegun = true;
    m_observer.setPosition(0);
    m_currentIndex = 0;
}

void RunController::runItems(SourceKind kind, const QString &logLine,
                             const std::function<ItemOutcome(const QString &)> &handle)
{
    beginItems();
    while (m_currentIndex < m_runList.size()) {
        const QString item = m_runList.at(m_currentIndex);
        m_observer.setText(platform::shownName(item));
        AppendLog(logLine.arg(platform::shownName(item)));
        const ItemOutcome outcome = handle(item);
        if (outcome == ItemOutcome::StopRun)
            return EndRun();
        if (outcome == ItemOutcome::LeftOut)
            m_leftOut.insert(m_currentIndex);
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
    runItems(SourceKind::ImageFolder, text::PackLog, [this](const QString &folder) {
        switch (m_packer.ImageFolderToKVB(folder, folder)) {
        case ImageFolderPacker::StopRun: return ItemOutcome::StopRun;
        case ImageFolderPacker::NoImageFiles: return ItemOutcome::LeftOut;
        default: return ItemOutcome::Done;
        }
    });
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
    BookUnpacker unpacker(m_prompt);
    runItems(SourceKind::Book, text::UnpackLog, [&unpacker](const QString &book) {
        switch (unpacker.KVBToImageFolder(book)) {
        case BookUnpacker::StopRun: return ItemOutcome::StopRun;
        case BookUnpacker::PassedOver: return ItemOutcome::LeftOut;
        default: return ItemOutcome::Done;
        }
    });
}

} // namespace harvester
