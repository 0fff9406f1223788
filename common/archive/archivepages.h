#pragma once

#include "archivereader.h"

#include "book/bookrecords.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace platform {
class ScratchFile;
}

namespace kvb {

// An archive's entries as a book sees them, without their bytes.
struct ArchiveListing {
    ArchiveProblem problem;
    std::vector<ArchiveEntry> pages;  // in book order
    std::vector<ArchiveEntry> others; // everything left out, ComicInfo.xml too, in archive order
    bool hasComicInfo = false;
};

ArchiveListing listArchive(const QString &path, const ArchiveLimits &limits = {});

// An archive read whole: its pages' bytes and its ComicInfo.xml.
struct ArchiveContents {
    ArchiveProblem problem;
    // In book order, each page referring to its bytes in the scratch file.
    // The kind comes from the bytes (a PNG named .jpg is a PNG page); bytes
    // of no known picture format keep the kind of their extension.
    PageList pages;
    std::vector<ArchiveEntry> others;
    bool hasComicInfo = false;
    // ComicInfo.xml's bytes; empty when there is none or it is larger than
    // kMaxComicInfoBytes or does not state its size (comicInfoTooLarge).
    QByteArray comicInfo;
    bool comicInfoTooLarge = false;
};

// Reads the archive in its own order: every page's bytes go to the end of
// `scratch` (open), ComicInfo.xml into memory. The entries' heads are walked
// first (listArchive), so what they tell refuses the archive before anything
// is written. On a problem the scratch file's content is of no use and
// `pages` is empty.
ArchiveContents readArchivePages(const QString &path, platform::ScratchFile &scratch,
                                 const ArchiveLimits &limits = {});

} // namespace kvb
