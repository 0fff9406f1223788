#include "folderlisting.h"

#include "glancersettings.h"

#include "platform/foldermove.h"
#include "platform/hiddenentries.h"
#include "platform/paths.h"

#include <QDir>

#include <algorithm>

namespace glancer {

namespace {

bool lessByName(const QString &a, const QString &b)
{
    // Names that differ only in case keep one order whatever the folder's.
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

// The visible entries of a folder: its sub-folders and its image files.
struct Entries {
    QFileInfoList folders;
    QFileInfoList images;
};

Entries visibleEntries(const QString &folder, int picExt, bool withFolders)
{
    Entries entries;
    const platform::HiddenEntries hidden(folder);
    QDir::Filters filters = QDir::Files | QDir::NoDotAndDotDot;
    if (withFolders)
        filters |= QDir::Dirs;
    for (const QFileInfo &info : QDir(folder).entryInfoList(filters, QDir::NoSort)) {
        if (hidden.isHidden(info))
            continue;
        if (info.isDir())
            entries.folders << info;
        else if (info.isFile() && isShownImage(info.fileName(), picExt))
            entries.images << info;
    }
    const auto byName = [](const QFileInfo &a, const QFileInfo &b) { return lessByName(a.fileName(), b.fileName()); };
    std::stable_sort(entries.folders.begin(), entries.folders.end(), byName);
    std::stable_sort(entries.images.begin(), entries.images.end(), byName);
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
    for (const QFileInfo &info : entries.folders) {
        PreviewRow row;
        row.kind = PreviewRow::Folder;
        row.path = platform::joinPath(folder, info.fileName());
        rows.push_back(row);
    }
    for (const QFileInfo &info : entries.images) {
        PreviewRow row;
        row.kind = PreviewRow::Image;
        row.path = platform::joinPath(folder, info.fileName());
        row.size = uint64_t(info.size());
        rows.push_back(row);
    }
    return rows;
}

QStringList pageNames(const QString &folder, int picExt)
{
    QStringList names;
    for (const QFileInfo &info : visibleEntries(folder, picExt, false).images)
        names << info.fileName();
    return names;
}

int pagePosition(const QStringList &names, QStringView name)
{
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
    return rowName(row);
}

} // namespace glancer
