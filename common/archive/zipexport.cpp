#include "zipexport.h"

#include "comicinfo.h"

#include "book/kvbfile.h"
#include "platform/safefile.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <ctime>
#include <memory>

namespace kvb {

namespace {

// Every 8 MiB that reached the file is sent on to the disk while the rest is
// written, so the flush before the file takes its place waits for the last
// part only.
constexpr uint64_t kWritebackStep = uint64_t(8) << 20;

struct Output {
    platform::AtomicFile file;
    uint64_t written = 0;
    uint64_t sentOn = 0;
};

la_ssize_t writeToFile(struct archive *a, void *client, const void *data, size_t size)
{
    auto *out = static_cast<Output *>(client);
    if (!out->file.write(data, size)) {
        archive_set_error(a, EIO, "write failed");
        return -1;
    }
    out->written += size;
    if (out->written - out->sentOn >= kWritebackStep) {
        platform::startWriteback(out->file.handle(), out->sentOn, out->written - out->sentOn);
        out->sentOn = out->written;
    }
    return la_ssize_t(size);
}

using ArchivePtr = std::unique_ptr<struct archive, decltype(&archive_write_free)>;
using EntryPtr = std::unique_ptr<struct archive_entry, decltype(&archive_entry_free)>;

bool addEntry(struct archive *a, const QString &name, uint64_t size, time_t when)
{
    EntryPtr entry(archive_entry_new(), archive_entry_free);
    archive_entry_set_pathname(entry.get(), name.toUtf8().constData());
    archive_entry_set_size(entry.get(), la_int64_t(size));
    archive_entry_set_filetype(entry.get(), AE_IFREG);
    archive_entry_set_perm(entry.get(), 0644);
    archive_entry_set_mtime(entry.get(), when, 0);
    return archive_write_header(a, entry.get()) == ARCHIVE_OK;
}

bool writeData(struct archive *a, const char *data, size_t size)
{
    return archive_write_data(a, data, size) == la_ssize_t(size);
}

} // namespace

QString archivePageName(int index, uint8_t kind)
{
    return QString::asprintf("%04d", index + 1) + extensionForKind(kind);
}

bool writeBookArchive(const QString &target, uint8_t layoutFlags, const AttributeList &attributes,
                      const PageList &pages, QStringList *leftOut)
{
    const QByteArray comicInfo = writeComicInfo(attributes, layoutFlags, leftOut);
    Output out{platform::AtomicFile(target, platform::FileRole::Output)};
    if (!out.file.open())
        return false;

    ArchivePtr a(archive_write_new(), archive_write_free);
    // Stored: pages are compressed pictures already. Blocks go to the file as
    // they come, without padding after the archive's end.
    if (archive_write_set_format_zip(a.get()) != ARCHIVE_OK
        || archive_write_set_options(a.get(), "zip:compression=store") != ARCHIVE_OK
        || archive_write_set_bytes_per_block(a.get(), 0) != ARCHIVE_OK
        || archive_write_open2(a.get(), &out, nullptr, writeToFile, nullptr, nullptr) != ARCHIVE_OK)
        return false;

    // Entries carry the time their pages were last changed (the book's), so
    // exporting the same book twice gives the same bytes.
    time_t when = 0;
    for (const PageEntry &page : pages) {
        if (page.sourceStamp)
            when = std::max<time_t>(when, time_t(page.sourceStamp->modifiedNs / 1000000000));
    }
    if (when == 0)
        when = std::time(nullptr);
    if (!addEntry(a.get(), QStringLiteral("ComicInfo.xml"), uint64_t(comicInfo.size()), when)
        || !writeData(a.get(), comicInfo.constData(), size_t(comicInfo.size())))
        return false;
    for (size_t i = 0; i < pages.size(); ++i) {
        const PageEntry &page = pages[i];
        if (!addEntry(a.get(), archivePageName(int(i), page.kind), page.size, when))
            return false;
        if (!KVBFile::readPageData(page, [&](const char *data, size_t size) { return writeData(a.get(), data, size); }))
            return false;
    }
    // Closing writes the central directory; only then is the file whole.
    if (archive_write_close(a.get()) != ARCHIVE_OK)
        return false;
    return out.file.commit();
}

} // namespace kvb
