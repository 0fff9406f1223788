#include "archiveimport.h"

#include "book/kvbfile.h"
#include "platform/paths.h"
#include "platform/safefile.h"

namespace kvb {

std::optional<ComicInfo> archiveComicInfo(const ArchiveContents &contents, QString *skipped)
{
    if (contents.comicInfoTooLarge) {
        if (skipped)
            *skipped = QStringLiteral("larger than %1 KiB, or of no stated size").arg(kMaxComicInfoBytes >> 10);
        return std::nullopt;
    }
    if (!contents.hasComicInfo)
        return std::nullopt;
    return readComicInfo(contents.comicInfo, skipped);
}

PrincipalAttributes archivePrincipal(const ComicInfo &info, const PrincipalAttributes &fallback)
{
    PrincipalAttributes principal = info.principal;
    for (uint8_t type = Title; type <= Circle; ++type) {
        if (principal.text(type).isEmpty())
            principal.text(type) = fallback.text(type);
    }
    if (!principal.date)
        principal.date = fallback.date;
    return principal;
}

ArchiveImport makeBookFromArchive(const QString &archive, const QString &target, const ArchiveImportOptions &options)
{
    ArchiveImport result;
    const QString folder = platform::folderOf(target);
    platform::ScratchFile scratch(folder.isEmpty() ? QStringLiteral(".") : folder, QStringLiteral("$KA"));
    if (!scratch.open()) {
        result.problem.error = ArchiveError::WriteFailed;
        return result;
    }
    ArchiveContents contents = readArchivePages(archive, scratch, options.limits);
    result.others = std::move(contents.others);
    result.problem = contents.problem;
    if (result.problem)
        return result;
    if (contents.pages.empty()) {
        result.problem.error = ArchiveError::NoPages;
        return result;
    }

    const ComicInfo info = archiveComicInfo(contents, &result.comicInfoSkipped).value_or(ComicInfo{});
    const uint8_t flags = options.layoutFlags | (info.bindRight ? BindR : 0);
    const AttributeList attributes = bookAttributeList(archivePrincipal(info, options.fallback), info.further);
    if (!KVBFile::writeBook(target, flags, options.withThumbnail, attributes, contents.pages, options.progress)) {
        result.problem.error = ArchiveError::WriteFailed;
        return result;
    }
    result.pageCount = int(contents.pages.size());
    return result;
}

} // namespace kvb
