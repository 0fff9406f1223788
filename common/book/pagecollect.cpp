#include "pagecollect.h"

#include "kvbfile.h"

#include "platform/filenames.h"

#include <QDir>
#include <QFileInfo>

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
        QFile file(path);
        std::optional<platform::FileStamp> stamp;
        if (QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly))
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
    const QDir dir(folder);
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    for (const QFileInfo &entry : entries) {
        if (pageKindFromExtension(entry.fileName()) != NotAccepted)
            out << entry.filePath();
    }
    return out;
}

QStringList unusablePictureEntries(const QString &folder)
{
    QStringList out;
    for (const platform::UnrepresentableEntry &entry : platform::unrepresentableEntries(folder)) {
        // The kind comes from the extension, which is readable even when
        // other bytes of the name are not.
        if (!entry.isFolder && pageKindFromExtension(QFile::decodeName(entry.name)) != NotAccepted)
            out << entry.shownPath(folder);
    }
    out.sort();
    return out;
}

} // namespace kvb
