#pragma once

#include "archivepages.h"
#include "comicinfo.h"

#include "book/principalattributes.h"

#include <QString>

#include <optional>

#include <vector>

namespace platform {
class Progress;
}

namespace kvb {

struct ArchiveImportOptions {
    // Layout flags as the caller sets them; ComicInfo.xml may add BindR.
    uint8_t layoutFlags = 0;
    bool withThumbnail = false;
    // Texts and date for what ComicInfo.xml leaves empty (a program's own
    // rules from the archive's name, say).
    PrincipalAttributes fallback;
    ArchiveLimits limits;
    // Told how the writing of the book goes (KVBFile::writeBook).
    platform::Progress *progress = nullptr;
};

struct ArchiveImport {
    ArchiveProblem problem; // None when the book was written
    // Entries left out, ComicInfo.xml among them, in archive order.
    std::vector<ArchiveEntry> others;
    // Why ComicInfo.xml was skipped (malformed, too large); empty when it
    // was taken or there was none.
    QString comicInfoSkipped;
    int pageCount = 0;
};

// Makes the book `target` from an archive: its pages in book order, their
// bytes unchanged, and its attributes from ComicInfo.xml over `fallback`.
// The pages are read into a scratch file beside the target first, so a
// refused or damaged archive writes nothing; the book then replaces the
// target whole (KVBFile::writeBook) and the scratch file goes.
ArchiveImport makeBookFromArchive(const QString &archive, const QString &target,
                                  const ArchiveImportOptions &options = {});

// The ComicInfo.xml of an archive read whole; nothing when it has none or it
// is skipped, and then `skipped` says why (malformed, too large) when it was
// there.
std::optional<ComicInfo> archiveComicInfo(const ArchiveContents &contents, QString *skipped);

// The principal texts and date of a book made from an archive:
// ComicInfo.xml's where it gives them, `fallback`'s elsewhere.
PrincipalAttributes archivePrincipal(const ComicInfo &info, const PrincipalAttributes &fallback);

} // namespace kvb
