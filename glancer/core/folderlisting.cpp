#include "folderlisting.h"

#include "glancersettings.h"

#include "platform/filenames.h"
#include "platform/foldermove.h"
#include "platform/hiddenentries.h"
#include "platform/paths.h"

#include <algorithm>

namespace glancer {

namespace {

// An entry as listed: its name (its bytes kept) and the name shown, by which
// it is sorted, so a name in CP932 sorts by its text.
struct Entry {
    QString name;
    QString shown;
    qint64 size = 0;
};

bool lessByName(const Entry &a, const Entry &b)
{
    // Names that differ only in case keep one order whatever the folder's.
    const int folded = QString::compare(a.shown, b.shown, Qt::CaseInsensitive);
    if (folded != 0)
        return folded < 0;
    return a.shown != b.shown ? a.shown < b.shown : a.name < b.name;
}

// The visible entries of a folder: its sub-folders and its image files.
struct Entries {
    std::vector<Entry> folders;
    std::vector<Entry> images;
};

Entries visibleEntries(const QString &folder, int picExt, bool withFolders)
{
    Entries entries;
    const platform::HiddenEntries hidden(folder);
    for (const platform::FolderEntry &entry : platform::folderEntries(folder)) {
        if (!entry.isFile && !(withFolders && entry.isFolder))
            continue;
        if (entry.isFile && !isShownImage(entry.name, picExt))
            continue;
        if (hidden.isHidden(entry.name, platform::joinPath(folder, entry.name)))
            continue;
        (entry.isFolder ? entries.folders : entries.images)
            .push_back(Entry{entry.name, platform::shownName(entry.name), entry.size});
    }
    std::stable_sort(entries.folders.begin(), entries.folders.end(), lessByName);
    std::stable_sort(entries.images.begin(), entries.images.end(), lessByName);
    return entries;
}

} // namespace

bool isShownImage(QStringView fileName, int picExt)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0)
        return false;
    const QStringView ext = fileName.mid(dot + 1);
    const auto is = [&](const char16_t *name) { return ext.compare(QStringView(name), Qt::CaseInsensitive) == 0; };
    if (is(u"bmp"))
        return picExt & PicBmp;
    if (is(u"jpg") || is(u"jpeg"))
        return picExt & PicJpeg;
    if (is(u"png"))
        return picExt & PicPng;
    return false;
}

std::vector<PreviewRow> driveRows(const std::vector<platform::Drive> &drives)
{
    std::vector<PreviewRow> rows;
    for (const platform::Drive &drive : drives) {
        PreviewRow row;
        row.kind = PreviewRow::Drive;
        row.path = drive.rowPath();
        rows.push_back(row);
    }
    return rows;
}

std::vector<PreviewRow> listFolder(const QString &folder, int picExt)
{
    const Entries entries = visibleEntries(folder, picExt, true);
    std::vector<PreviewRow> rows;
    rows.reserve(size_t(entries.folders.size() + entries.images.size()));
    for (const Entry &entry : entries.folders) {
        PreviewRow row;
        row.kind = PreviewRow::Folder;
        row.path = platform::joinPath(folder, entry.name);
        rows.push_back(row);
    }
    for (const Entry &entry : entries.images) {
        PreviewRow row;
        row.kind = PreviewRow::Image;
        row.path = platform::joinPath(folder, entry.name);
        row.size = uint64_t(entry.size);
        rows.push_back(row);
    }
    return rows;
}

QStringList pageNames(const QString &folder, int picExt)
{
    QStringList names;
    for (const Entry &entry : visibleEntries(folder, picExt, false).images)
        names << entry.name;
    return names;
}

int pagePosition(const QStringList &names, QStringView name)
{
    const qsizetype exact = names.indexOf(name);
    if (exact >= 0)
        return int(exact) + 1;
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i + 1;
    }
    return 0;
}

QString sizeText(uint64_t size)
{
    constexpr uint64_t KiB = 1024, MiB = KiB * 1024, GiB = MiB * 1024;
    if (size <= 10239)
        return QString::number(size);
    if (size < 10 * MiB)
        return QString::number(size / KiB) + QStringLiteral(" K");
    if (size >= 10 * GiB)
        return QString::number(size / GiB) + QStringLiteral(" G");
    return QString::number(size / MiB) + QStringLiteral(" M");
}

QString rowName(const PreviewRow &row)
{
    return platform::rowSelectName(row.path, row.kind == PreviewRow::Drive);
}

QString rowLabel(const PreviewRow &row)
{
    if (row.kind == PreviewRow::Drive) {
        const qsizetype bar = row.path.indexOf(u'|');
        return bar < 0 ? row.path : row.path.mid(bar + 1);
    }
    return platform::shownName(rowName(row));
}

} // namespace glancer
