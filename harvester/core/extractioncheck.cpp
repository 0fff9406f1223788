#include "extractioncheck.h"

#include "messages.h"

#include <book/bookrecords.h>
#include <picture/picture.h>
#include <picture/pictureformat.h>
#include <platform/paths.h>

#include <QDir>
#include <QFile>
#include <QHash>

#include <algorithm>

namespace harvester {

std::optional<QList<ListedImage>> parseImageList(const QByteArray &output)
{
    const QList<QByteArray> lines = output.split('\n');
    qsizetype row = 0;
    while (row < lines.size() && !lines[row].trimmed().startsWith("----"))
        ++row;
    if (row == lines.size())
        return std::nullopt;
    QList<ListedImage> images;
    for (++row; row < lines.size(); ++row) {
        const QList<QByteArray> fields = lines[row].simplified().split(' ');
        if (fields.size() == 1 && fields[0].isEmpty())
            continue;
        // page, num, type and then the image's properties.
        bool pageOk = false, numberOk = false;
        fields.value(0).toInt(&pageOk);
        ListedImage image;
        image.number = fields.value(1).toInt(&numberOk);
        image.type = QString::fromLatin1(fields.value(2));
        if (!pageOk || !numberOk || image.number < 0 || image.type.isEmpty())
            return std::nullopt;
        images.append(image);
    }
    return images;
}

PictureFileState pictureFileState(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return PictureFileState::Unreadable;
    const qint64 size = file.size();
    if (size == 0)
        return PictureFileState::Empty;
    if (size > qint64(kvb::kMaxPageBytes))
        return PictureFileState::NotAPicture;
    QByteArray read;
    const uchar *mapped = file.map(0, size);
    QByteArrayView bytes(mapped, mapped ? size : 0);
    if (!mapped) {
        read = file.read(size);
        if (read.size() != size)
            return PictureFileState::Unreadable;
        bytes = read;
    }
    PictureFileState state = PictureFileState::Whole;
    switch (kvb::pictureStructureOf(bytes)) {
    case kvb::PictureStructure::Complete: break;
    case kvb::PictureStructure::Unknown: state = PictureFileState::NotAPicture; break;
    case kvb::PictureStructure::Incomplete: {
        // Only decoding tells whether what is there shows whole; decoded as
        // small as the decoder goes.
        QByteArray copy = bytes.toByteArray();
        QImage judged;
        bool damaged = false;
        kvb::LoadOptions options;
        options.fitWithin = QSize(1, 1);
        options.damaged = &damaged;
        if (!kvb::decodePagePicture(copy, 0, judged, options) || damaged)
            state = PictureFileState::Cut;
        break;
    }
    }
    if (mapped)
        file.unmap(const_cast<uchar *>(mapped));
    return state;
}

ExtractionCheck checkExtraction(const QString &folder, const QString &root, const QList<ListedImage> &listed)
{
    ExtractionCheck check;
    check.listed = int(listed.size());
    int problemCount = 0;
    auto problem = [&](const QString &line) {
        if (++problemCount <= kMaxProblemLines)
            check.problems.append(line);
    };

    // What the folder holds, by name without the extension.
    QHash<QString, QStringList> found;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries)
        found[platform::baseNameOf(entry.fileName())].append(entry.fileName());

    QList<ListedImage> ordered = listed;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const ListedImage &a, const ListedImage &b) { return a.number < b.number; });
    for (const ListedImage &image : ordered) {
        const QString name = root + QStringLiteral("-%1").arg(image.number, 3, 10, QLatin1Char('0'));
        const QStringList files = found.take(name);
        if (files.isEmpty()) {
            problem(text::ImageMissingLog.arg(name));
            continue;
        }
        if (files.size() > 1) {
            for (const QString &file : files)
                problem(text::ImageUnlistedLog.arg(file));
            continue;
        }
        const QString path = platform::joinPath(folder, files[0]);
        const uint8_t kind = kvb::pageKindFromExtension(files[0]);
        if (kind != kvb::Jpeg && kind != kvb::Png) {
            problem(text::ImageUnusableLog.arg(files[0]));
            continue;
        }
        switch (pictureFileState(path)) {
        case PictureFileState::Whole:
            if (!image.isMask())
                check.pageFiles.append(path);
            break;
        case PictureFileState::Empty: problem(text::ImageEmptyLog.arg(files[0])); break;
        case PictureFileState::Cut:
        case PictureFileState::Unreadable: problem(text::ImageCutLog.arg(files[0])); break;
        case PictureFileState::NotAPicture: problem(text::ImageUnusableLog.arg(files[0])); break;
        }
    }
    // Whatever is left was not listed: the count of images differs.
    QStringList unlisted;
    for (const QStringList &files : std::as_const(found))
        unlisted += files;
    unlisted.sort();
    for (const QString &file : std::as_const(unlisted))
        problem(text::ImageUnlistedLog.arg(file));
    if (problemCount > kMaxProblemLines)
        check.problems.append(text::MoreProblemsLog.arg(problemCount - kMaxProblemLines));
    return check;
}

} // namespace harvester
