#include "pagecollect.h"

#include "kvbfile.h"

#include "platform/filenames.h"
#include "platform/paths.h"

#include <QFile>

#include <algorithm>

namespace kvb {

namespace {

// The order of added pages: by the path they were added under, in ordinal
// UTF-16 order (case-sensitive), then by their place within it.
bool addedBefore(QStringView pathA, uint64_t placeA, QStringView pathB, uint64_t placeB)
{
    // QStringView's compare with CaseSensitive compares code units ordinally.
    const int c = pathA.compare(pathB, Qt::CaseSensitive);
    if (c != 0)
        return c < 0;
    return placeA < placeB;
}

} // namespace

PageList collectPages(const QStringList &paths, const CollectReport &report, const PathExpander &expand)
{
    struct Collected {
        QString path;   // the path the page was added under
        uint64_t place; // its offset in a book, its index among an expander's pages
        PageEntry page;
    };
    std::vector<Collected> collected;
    for (const QString &path : paths) {
        const uint8_t kind = pageKindFromExtension(path);
        if (kind == NotAccepted) {
            if (!expand)
                continue;
            if (std::optional<PageList> expanded = expand(path)) {
                for (size_t i = 0; i < expanded->size(); ++i)
                    collected.push_back({path, i, std::move((*expanded)[i])});
            }
            continue;
        }
        if (kind == BookKind) {
            PageList bookPages;
            if (KVBFile::readBook(path, nullptr, nullptr, &bookPages)) {
                for (PageEntry &page : bookPages)
                    collected.push_back({path, page.offset, std::move(page)});
            } else if (report) {
                report(CollectProblem::BookUnreadable, path);
            }
            continue;
        }
        QFile file;
        std::optional<platform::FileStamp> stamp;
        if (platform::isFile(path) && platform::openFile(file, path, QIODevice::ReadOnly))
            stamp = platform::fileStampOf(file.handle());
        const qint64 size = stamp ? stamp->size : -1;
        // 4 GiB - 1 is refused as well: such a size cannot be told apart from
        // a failed size query in the 32-bit field.
        if (size <= 0 || size >= 0xFFFFFFFFLL) {
            if (report)
                report(CollectProblem::BadSize, path);
            continue;
        }
        PageEntry page;
        page.kind = kind;
        page.sourcePath = path;
        page.size = uint32_t(size);
        page.sourceStamp = stamp;
        collected.push_back({path, 0, std::move(page)});
    }
    std::stable_sort(collected.begin(), collected.end(), [](const Collected &a, const Collected &b) {
        return addedBefore(a.path, a.place, b.path, b.place);
    });
    PageList pages;
    pages.reserve(collected.size());
    for (Collected &c : collected)
        pages.push_back(std::move(c.page));
    return pages;
}

void sortNewPages(PageList &pages)
{
    std::stable_sort(pages.begin(), pages.end(), [](const PageEntry &a, const PageEntry &b) {
        return addedBefore(a.sourcePath, a.offset, b.sourcePath, b.offset);
    });
}

QStringList folderPictureEntries(const QString &folder)
{
    QStringList out;
    for (const platform::FolderEntry &entry : platform::folderEntries(folder)) {
        if (!entry.isFolder && pageKindFromExtension(entry.name) != NotAccepted)
            out << platform::joinPath(folder, entry.name);
    }
    return out;
}

QStringList unusablePictureEntries(const QString &folder)
{
    QStringList out;
    for (const platform::UnrepresentableEntry &entry : platform::unrepresentableEntries(folder)) {
        // The kind comes from the extension, which is readable even when
        // other bytes of the name are not.
        if (!entry.isFolder && pageKindFromExtension(platform::nameFromBytes(entry.name)) != NotAccepted)
            out << entry.shownPath(folder);
    }
    out.sort();
    return out;
}

} // namespace kvb
