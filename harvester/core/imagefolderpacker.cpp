#include "imagefolderpacker.h"

#include "messages.h"
#include "namedate.h"

#include <book/kvbfile.h>
#include <book/pagecollect.h>
#include <book/principalattributes.h>
#include <platform/filenames.h>
#include <platform/filestamp.h>
#include <platform/paths.h>
#include <platform/progress.h>
#include <platform/prompt.h>
#include <platform/textcompare.h>

#include <QFile>

#include <algorithm>
#include <chrono>
#include <future>
#include <optional>

namespace harvester {

namespace {

// Texts longer than a book's attribute limit would be skipped by every
// reader; they are cut at the limit instead, never inside a surrogate pair.
QString withinTextLimit(const QString &text)
{
    if (text.size() <= kvb::kMaxTextChars)
        return text;
    qsizetype keep = kvb::kMaxTextChars;
    if (text[keep - 1].isHighSurrogate())
        --keep;
    return text.left(keep);
}

} // namespace

uint8_t BookOptions::layoutFlags() const
{
    return uint8_t((cover ? kvb::Cover : 0) | (bindR ? kvb::BindR : 0) | (spread ? kvb::PageSpread : 0));
}

ImageFolderPacker::BookName ImageFolderPacker::bookNameFor(const QString &nameSource)
{
    QString base = nameSource;
    const qsizetype dot = base.lastIndexOf(u'.');
    if (dot > 0 && QStringView(base).mid(dot).compare(u".pdf", Qt::CaseInsensitive) == 0)
        base.chop(4);
    if (base.endsWith(u'/'))
        base.chop(1);
    return {base + QStringLiteral(".kvb"), platform::shownName(platform::fileNameOf(base))};
}

kvb::PageList ImageFolderPacker::collectPages(const QString &imageFolder, PageOrder order)
{
    kvb::PageList pages;
    const QString folder = platform::withoutTrailingSlash(imageFolder);
    for (const platform::FolderEntry &entry : platform::folderEntries(folder)) {
        if (!entry.isFile)
            continue;
        const QString path = platform::joinPath(folder, entry.name);
        const uint8_t kind = kvb::pageKindFromExtension(path);
        if (kind != kvb::Jpeg && kind != kvb::Png && kind != kvb::Bmp)
            continue;
        if (std::optional<kvb::PageEntry> page = pageFromFile(path, kind))
            pages.push_back(std::move(*page));
    }
    kvb::sortNewPages(pages);
    if (order == PageOrder::ByExtractorNumber) {
        std::stable_sort(pages.begin(), pages.end(), [](const kvb::PageEntry &a, const kvb::PageEntry &b) {
            return platform::logicalCompare(platform::fileNameOf(a.sourcePath),
                                            platform::fileNameOf(b.sourcePath))
                   < 0;
        });
    }
    return pages;
}

std::optional<kvb::PageEntry> ImageFolderPacker::pageFromFile(const QString &path, uint8_t kind)
{
    QFile file;
    if (!platform::openFile(file, path, QIODevice::ReadOnly))
        return std::nullopt;
    // The file as found: the book takes exactly these bytes, or the write
    // fails when the file has changed by the time it is copied.
    const std::optional<platform::FileStamp> stamp = platform::fileStampOf(file.handle());
    const qint64 size = stamp ? stamp->size : -1;
    if (size <= 0 || size >= (qint64(1) << 32))
        return std::nullopt;
    kvb::PageEntry page;
    page.kind = kind;
    page.sourcePath = path;
    page.size = uint32_t(size);
    page.sourceStamp = stamp;
    return page;
}

kvb::PrincipalAttributes ImageFolderPacker::principalFor(const QString &name) const
{
    kvb::PrincipalAttributes principal;
    if (options.nameAsTitle) {
        QString title = name;
        if (options.numberAsDate) {
            const NameDate dated = publicationDateFromName(name);
            principal.date = dated.date;
            title = dated.rest;
        }
        principal.text(kvb::Title) = withinTextLimit(title);
    }
    if (!targetFolderName.isEmpty() && options.targetName >= 1 && options.targetName <= 3)
        principal.text(uint8_t(kvb::Author + options.targetName - 1)) = withinTextLimit(targetFolderName);
    return principal;
}

int ImageFolderPacker::ImageFolderToKVB(const QString &imageFolder, const QString &nameSource, PageOrder order,
                                        kvb::PageList *packed)
{
    std::optional<platform::ProgressScope> showBusy;
    if (busy)
        showBusy.emplace(*busy);
    return pack(nameSource, [&] { return collectPages(imageFolder, order); }, packed);
}

int ImageFolderPacker::packPages(const QString &nameSource, kvb::PageList pages, kvb::PageList *packed)
{
    std::optional<platform::ProgressScope> showBusy;
    if (busy)
        showBusy.emplace(*busy);
    return pack(nameSource, [&pages] { return std::move(pages); }, packed);
}

int ImageFolderPacker::pack(const QString &nameSource, const std::function<kvb::PageList()> &collect,
                            kvb::PageList *packed)
{
    const BookName book = bookNameFor(nameSource);
    m_lastStopFailed = false;
    if (!mayOverwrite(book.bookPath))
        return StopRun;

    kvb::PageList pages = collect();
    if (pages.empty()) {
        m_log(text::PackNoImagesLog);
        return NoImageFiles;
    }

    // The write makes the entries refer to the book; the files they came
    // from are what the caller may want to know.
    const kvb::PageList found = packed ? pages : kvb::PageList();
    const kvb::AttributeList attributes = attributesFor(book.name);
    bool written = false;
    writeAside([&] {
        written = kvb::KVBFile::writeBook(book.bookPath, options.layoutFlags(), options.thumb, attributes, pages);
    });
    if (!written) {
        m_prompt.message(text::BookWriteFailed);
        m_log(text::PackFailedLog);
        m_lastStopFailed = true;
        return StopRun;
    }
    if (packed)
        *packed = found;
    return Written;
}

void ImageFolderPacker::writeAside(const std::function<void()> &work)
{
    if (!waiting) {
        work();
        return;
    }
    m_writing = true;
    std::future<void> done = std::async(std::launch::async, work);
    do
        waiting->processEvents();
    while (done.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready);
    m_writing = false;
    done.get();
}

bool ImageFolderPacker::mayOverwrite(const QString &bookPath)
{
    const platform::PathInfo existing = platform::pathInfo(bookPath);
    if (existing.exists && !existing.isFolder
        && m_prompt.message(text::BookExists, platform::PromptIcon::Question, platform::PromptButtons::OkCancel)
               != platform::PromptAnswer::Ok) {
        m_log(text::PackCancelLog);
        return false;
    }
    return true;
}

QString ImageFolderPacker::bookPathForArchive(const QString &archive)
{
    return platform::joinPath(platform::folderOf(archive), platform::baseNameOf(archive)) + QStringLiteral(".kvb");
}

int ImageFolderPacker::ArchiveToKVB(const QString &archive, const QString &bookPath, ArchivePacking &packing)
{
    std::optional<platform::ProgressScope> showBusy;
    if (busy)
        showBusy.emplace(*busy);
    m_lastStopFailed = false;
    packing = ArchivePacking();
    if (!mayOverwrite(bookPath))
        return StopRun;

    {
        QFile file;
        if (platform::openFile(file, archive, QIODevice::ReadOnly))
            packing.stamp = platform::fileStampOf(file.handle());
    }
    kvb::ArchiveImportOptions import;
    import.layoutFlags = options.layoutFlags();
    import.withThumbnail = options.thumb;
    import.fallback = principalFor(platform::shownName(platform::baseNameOf(archive)));
    writeAside([&] { packing.import = kvb::makeBookFromArchive(archive, bookPath, import); });

    const kvb::ArchiveProblem &problem = packing.import.problem;
    switch (problem.error) {
    case kvb::ArchiveError::None: return Written;
    case kvb::ArchiveError::WriteFailed:
        m_prompt.message(text::BookWriteFailed);
        m_log(text::PackFailedLog);
        m_lastStopFailed = true;
        return StopRun;
    case kvb::ArchiveError::NoPages: m_log(text::PackNoImagesLog); return NoImageFiles;
    default: m_log(text::ArchiveFailedLog.arg(kvb::describeProblem(problem))); return Refused;
    }
}

} // namespace harvester
