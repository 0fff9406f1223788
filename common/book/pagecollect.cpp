#include "pagecollect.h"

#include "kvbfile.h"

#include "platform/filenames.h"
#include "platform/paths.h"

#include <QFile>

#include <algorithm>

namespace kvb {

PageList collectPages(const QStringList &paths, const CollectReport &report)
{
    PageList pages;
    for (const QString &path : paths) {
        const uint8_t kind = pageKindFromExtension(path);
        if (kind == NotAccepted)
            continue;
        if (kind == BookKind) {
            PageList bookPages;
            if (KVBFile::readBook(path, nullptr, nullptr, &bookPages)) {
                std::move(bookPages.begin(), bookPages.end(), std::back_inserter(pages));
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
        pages.push_back(std::move(page));
    }
    sortNewPages(pages);
    return pages;
}

void sortNewPages(PageList &pages)
{
    std::stable_sort(pages.begin(), pages.end(), [](const PageEntry &a, const PageEntry &b) {
        // QString's operator< compares UTF-16 code units ordinally.
        const int c = QStringView(a.sourcePath).compare(QStringView(b.sourcePath), Qt::CaseSensitive);
        if (c != 0)
            return c < 0;
        return a.offset < b.offset;
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
